// Draws the program's artwork from code and writes it as the PNG files that
// the library embeds. The files are checked in, so every build shows the same
// pixels whatever Qt version or fonts the building machine has.
//
// After changing a drawing, regenerate and commit the files:
//   ninja -C BUILD make_artwork && BUILD/ui/pictures/generator/make_artwork ui/pictures
// The artwork_up_to_date test runs `make_artwork --check ui/pictures` and fails
// when the checked-in files no longer match the drawing code.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

#include "icon_drawing.h"
#include "shape_drawings.h"
#include "ui/pictures/shape_pictures.h"
#include "ui/pictures/window_icon.h"

namespace {

struct Artwork {
  QString relativePath;
  QImage image;
};

QList<Artwork> drawEverything() {
  QList<Artwork> all;
  for (int code = 0; code < kShapeCount; ++code) {
    all.append({QStringLiteral("artwork/shape_%1.png").arg(code), drawShape(code)});
    // Qt's naming for the same picture at twice the resolution.
    all.append({QStringLiteral("artwork/shape_%1@2x.png").arg(code), drawShape(code, 2)});
  }
  all.append({QStringLiteral("vembrix.png"), drawWindowIcon()});
  for (const int size : kThemeIconSizes)
    if (size != 32) all.append({QStringLiteral("icons/vembrix_%1.png").arg(size), drawIcon(size)});
  return all;
}

// Antialiasing may differ by a few levels between Qt releases; a changed
// drawing moves whole black pixels and is far outside this.
constexpr int kTolerance = 24;

bool closeEnough(const QImage &expected, const QImage &actual) {
  if (expected.size() != actual.size()) return false;
  const QImage a = expected.convertToFormat(QImage::Format_RGB32);
  const QImage b = actual.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int diff = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))});
      if (diff > kTolerance) return false;
    }
  return true;
}

int write(const QDir &root) {
  QTextStream err(stderr);
  for (const Artwork &art : drawEverything()) {
    const QString path = root.filePath(art.relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!art.image.save(path, "PNG")) {
      err << "cannot write " << path << '\n';
      return EXIT_FAILURE;
    }
  }
  return EXIT_SUCCESS;
}

int check(const QDir &root) {
  QTextStream err(stderr);
  int stale = 0;
  for (const Artwork &art : drawEverything()) {
    const QString path = root.filePath(art.relativePath);
    if (!closeEnough(art.image, QImage(path))) {
      err << path << " does not match its drawing code; regenerate it\n";
      ++stale;
    }
  }
  return stale ? EXIT_FAILURE : EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char *argv[]) {
  const bool checking = argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--check");
  if (argc != 2 && !checking) {
    QTextStream(stderr) << "usage: make_artwork [--check] PICTURES_DIR\n";
    return EXIT_FAILURE;
  }
  const QDir root(QString::fromLocal8Bit(argv[argc - 1]));
  return checking ? check(root) : write(root);
}
