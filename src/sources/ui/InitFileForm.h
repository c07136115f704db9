#pragma once
// The busy window shown while chosen files are added: a small borderless modal window,
// centred on its owner, with "Installing File..." and a spinner. 300 ms after it appears it
// adds the stored files and closes itself, also when adding failed.

#include "sources/SourceFilePorts.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QTimer;

namespace clavenor {

class TFrmInitFileForm final : public QDialog, public IBusyWindow {
    Q_OBJECT
public:
    using TAddFiles = std::function<void(const std::vector<std::string>&)>;

    // errors shows what escapes the adding (not owned; must outlive the window).
    explicit TFrmInitFileForm(IGeneralErrorDisplay& errors, QWidget* owner = nullptr);

    void SetFileList(const std::vector<std::string>& paths) override;
    // The work done at the next showing.
    void SetAddFilesHandler(TAddFiles addFiles) { addFiles_ = std::move(addFiles); }
    // Sets the work and runs the window modally until it has closed itself.
    void ShowModal(const TAddFiles& addFiles) override;

    int Phase() const { return phase_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    void done(int result) override;

private:
    void FormShow();
    void Timer1Timer();
    void Timer2Timer();

    IGeneralErrorDisplay& errors_;
    QLabel* lblInfo_;
    QTimer* timer1_;
    QTimer* timer2_;
    std::vector<std::string> fileList_;
    TAddFiles addFiles_;
    int phase_ = 1;
};

} // namespace clavenor
