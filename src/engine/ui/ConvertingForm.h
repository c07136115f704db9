#pragma once
// TfrmConverting: the progress window of a conversion job. Modeless, centred on the main
// window; its widgets mirror a TProgressView (engine/ProgressRefresh.h), which holds the
// rules. Its Stop button and its close command ask first, then stop the job through the
// IProgressWindowContext.

#include "engine/ProgressRefresh.h"
#include "engine/ProgressWindowPorts.h"

#include <QDialog>

class QAction;
class QLabel;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace clavenor {

class TPictureButton;

class TfrmConverting : public QDialog {
    Q_OBJECT
public:
    TfrmConverting(IProgressWindowContext& context, IQuestionPort& questions,
                   QWidget* parent = nullptr);

    // The job's view of the window.
    void Show();                                   // shows; resets first when it was hidden
    void Hide();                                   // hides without asking
    void SetCurrentFilePosition(int seconds);      // ProgressBar1's position
    void SetStatusText(const std::string& text);   // statState
    void SetCurrentFileName(const std::string& p); // lblCurFileName
    void RefreshProgress();                        // runs actRefreshProgress

    const TProgressView& View() const { return ViewState; }

    QLabel* lblInfo = nullptr;
    QLabel* lblCurConvertFileL = nullptr;
    QLabel* lblCurFileName = nullptr;
    QLabel* lblTotalFilr = nullptr;
    QProgressBar* pbTotal = nullptr;
    QLabel* lblCurprog = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblPersent = nullptr;
    TPictureButton* btnStop = nullptr;
    QStatusBar* statState = nullptr;
    QTimer* tmrChanging = nullptr;
    QAction* actRefreshProgress = nullptr;

    // Handlers
    void FormShow();
    void tmrChangingTimer();
    void actRefreshProgressExecute();
    void btnStop1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void reject() override; // Esc: the close command, with its question

private:
    void Mirror(); // the widgets follow ViewState

    IProgressWindowContext& Context;
    IQuestionPort& Questions;
    TProgressView ViewState;
    QLabel* StatusPanel = nullptr;
};

} // namespace clavenor
