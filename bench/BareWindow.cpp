// The reference for the window figures: the least a Qt Widgets program does
// to put up a window of the main window's size, black, and paint it. With
// --label it also shows one line of text, so that what drawing any text costs
// (font configuration, font files, shaping) can be told apart from the rest.
// It prints the monotonic clock at main and at its first paint, to set beside
// what is seen from outside the process.
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

class BareWindow final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (painted_) return;
        painted_ = true;
        std::printf("first-paint monotonic_ms=%.3f\n", NowMs());
        // It may be ended right after this paint reaches the screen.
        std::fflush(stdout);
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::printf("main monotonic_ms=%.3f\n", NowMs());
    const bool label = argc > 1 && !std::strcmp(argv[1], "--label");
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.setFixedSize(498, 523);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    if (label) (new QLabel(QStringLiteral("Bare Qt window with a label"), &window))->move(10, 10);
    window.show();
    return QApplication::exec();
}
