// Takes the README's screenshots of the real program under Xvfb (run through
// scripts/take-screenshots.sh): the main window with two clips in its list, and the progress
// window during the conversion of the first one. The pictures are taken with ImageMagick's
// `import -window root`, cropped to the main window and a margin around it.
//
// Usage: take_screenshots <program folder> <home folder> <output folder> <picture folder>
//                         <clip> <clip>

#include "platform/FakeDesktopServices.h"
#include "shell/MainFormCommands.h"
#include "shell/ui/ClavenorApplication.h"
#include "shell/ui/ClavenorWiring.h"
#include "shell/ui/QtPorts.h"
#include "shell/ui/Skin.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

using namespace clavenor;

namespace {

// A plain desktop behind the windows, so that the shaped outline shows.
class TBackdrop : public QWidget {
public:
    TBackdrop() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(0x5B, 0x6B, 0x80));
        g.setColorAt(1, QColor(0x2B, 0x33, 0x3F));
        p.fillRect(rect(), g);
    }
};

void Capture(const QString& file, const QRect& area) {
    const QString crop =
        QString("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y());
    const int status =
        QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", file});
    std::printf("%s %s (import: %d)\n", qPrintable(file), qPrintable(crop), status);
}

} // namespace

int main(int argc, char** argv) {
    TClavenorApplication app(argc, argv);
    if (argc != 7) {
        std::fprintf(stderr, "usage: take_screenshots <program> <home> <output> <pictures> "
                             "<clip> <clip>\n");
        return 2;
    }
    app.setStyle(QStyleFactory::create("Fusion"));
    const QString pictures = QString::fromLocal8Bit(argv[4]);

    TBackdrop backdrop;
    backdrop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    backdrop.show();

    TQtMessageBox messageBox;
    TQtFolderBrowser folderBrowser;
    TQtApplicationPort application;
    TFakeDesktopServices desktop; // nothing is opened on the screenshot display
    TNoMainFormCommands commands;
    TClavenorWiring wiring(
        argv[1], argv[2],
        TWiringPorts{messageBox, messageBox, folderBrowser, desktop, application, commands});
    TFrmMainForm& form = wiring.MainForm();
    form.show();
    form.edtOutputFolder->setText(QString::fromLocal8Bit(argv[3]));
    form.chkShowOutputDirectory->setChecked(true);
    wiring.Sources().Controller().DropFlow({argv[5], argv[6]});

    const QRect area =
        QRect(form.pos(), QSize(TFrmMainForm::kDesignWidth, TFrmMainForm::kDesignHeight))
            .adjusted(-24, -24, 24, 24);
    QTimer::singleShot(1500, [&] {
        Capture(pictures + "/main-window.png", area);
        QTimer::singleShot(0, [&] {
            // The job runs inside the click; the progress window is caught meanwhile.
            QTimer::singleShot(3500, [&] { Capture(pictures + "/converting.png", area); });
            form.btnConvert->click();
            std::fflush(stdout);
            std::_Exit(0);
        });
    });
    return app.exec();
}
