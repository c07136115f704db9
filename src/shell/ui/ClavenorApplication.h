#pragma once
// The application object. It holds the general error display: an error that escapes any
// command (an event handler, a timer tick, a button click) ends that command and is shown
// in a message box with the error's text, the caption "Clavenor" and the stop icon; the
// program then carries on with the next event.

#include <QApplication>
#include <functional>
#include <string>

namespace clavenor {

class TClavenorApplication : public QApplication {
    Q_OBJECT
public:
    TClavenorApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an escaped error (already with its full stop). The default shows the
    // message box; tests replace it.
    using TErrorDisplay = std::function<void(const std::string& text)>;
    void SetErrorDisplay(TErrorDisplay display);

    // Shows message through the error display, with the full stop rule applied.
    void ShowException(const std::string& message);

private:
    TErrorDisplay ErrorDisplay;
};

} // namespace clavenor
