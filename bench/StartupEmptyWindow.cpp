// The yardstick of the start-up benchmark: an empty main window that ends as
// soon as it is shown and idle, as the program does with --exit-when-idle.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(640, 520);
    window.show();
    QTimer::singleShot(0, &window, [&window] {
        std::fputs("idle\n", stdout);
        std::fflush(stdout);
        window.close();
    });
    return app.exec();
}
