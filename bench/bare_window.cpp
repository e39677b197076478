// The floor for the whole-process timings: the least a Qt Widgets program does to put a window on
// screen, at the size kestrow opens at, with one label and nothing read from disk.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt Window"));
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("A bare Qt window"), &window);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    window.resize(550, 400);
    window.show();
    return QApplication::exec();
}
