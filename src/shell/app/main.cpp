#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Clavenor");
    QWidget window;
    window.setWindowTitle("Clavenor");
    window.resize(692, 456);
    window.show();
    return app.exec();
}
