// The "Error Info" dialog.
#include "platform/FakeDesktopServices.h"
#include "shell/CodecLink.h"
#include "shell/ui/CodeErrorForm.h"

#include "ui_helpers.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace clavenor;
using namespace clavenor_test;

TEST(CodeErrorForm, TellsTheFileCouldNotBeReadAndOpensTheCodecDownload) {
    QWidget owner;
    owner.show();
    TFakeDesktopServices desktop;
    TFrmCodeErrorForm form(desktop, &owner);

    EXPECT_EQ(form.windowTitle(), "Error Info");
    EXPECT_EQ(form.size(), QSize(413, 96));
    EXPECT_EQ(LabelText(form, "Label1"),
              "Files reading error! Please check your files or install a new codec.You can "
              "click the link to download the lastest codec.");
    EXPECT_EQ(LabelText(form, "Label2"), "(Click here to down)");
    const auto* ok = form.findChild<QPushButton*>("BitBtn1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(328, 61, 75, 25));

    form.open();
    auto* link = form.findChild<QLabel*>("Label2");
    EXPECT_TRUE(form.rect().contains(link->geometry())); // the link stays inside the dialog
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    Click(link, link->rect().center());
    EXPECT_EQ(desktop.Opened, (std::vector<std::string>{kCodecDownloadAddress}));
    EXPECT_TRUE(form.isVisible()); // the link leaves the dialog open

    Click(form.findChild<QPushButton*>("BitBtn1"), QPoint(10, 10));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}
