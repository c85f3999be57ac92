// Vorn 5.0: binds the Qt services and shows the main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vorn 5.0");
    QMainWindow window;
    window.setWindowTitle("Vorn 5.0");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
