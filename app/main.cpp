#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel placeholder("Зорекс");
    placeholder.setWindowTitle("Зорекс");
    placeholder.resize(659, 406);
    placeholder.show();
    return app.exec();
}
