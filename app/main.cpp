#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle("Vemla  [ v 1.0.6 ]");
  w.show();
  return app.exec();
}
