// Draws the program's artwork from code and writes it as the PNG files that
// the build compiles in, one per row of the shape table and the window icon,
// with artwork.list naming them. The files are checked in, so every build
// shows the same pixels whatever Qt version or fonts the building machine has.
//
// After changing a drawing, regenerate and commit the files:
//   ninja -C BUILD make_artwork && BUILD/ui/artwork/generator/make_artwork ui/artwork/pictures
// The artwork_up_to_date test runs `make_artwork --check ui/artwork/pictures` and fails
// when the checked-in files no longer match the drawing code or the table.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

#include "icon_drawing.h"
#include "shape_drawings.h"
#include "core/tank_shapes.h"
#include "ui/artwork/window_icon.h"

namespace {

struct Artwork {
  QString relativePath;
  QImage image;
};

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A shape whose row names a drawing the generator lacks comes out null, and
// writing or checking it fails.
QList<Artwork> drawEverything() {
  QList<Artwork> all;
  for (const vx::TankShapeRow &shape : vx::kTankShapes) {
    const QString name = fromUtf8(shape.drawing);
    all.append({QStringLiteral("artwork/%1.png").arg(name), drawShape(shape.drawing)});
    // Qt's naming for the same picture at twice the resolution.
    all.append({QStringLiteral("artwork/%1@2x.png").arg(name), drawShape(shape.drawing, 2)});
  }
  all.append({QStringLiteral("vembrix.png"), drawWindowIcon()});
  // The theme's sizes are written with an (opaque) alpha channel, which
  // loads as straight ARGB32: the format in which the program hands them to
  // the X server as its window icon before the first window maps. Compiled
  // in as they are, they need no conversion then; from a palette, 90,000
  // pixels would be expanded at every start.
  for (const int size : kThemeIconSizes)
    if (size != 32)
      all.append({QStringLiteral("icons/vembrix_%1.png").arg(size),
                  drawIcon(size).convertToFormat(QImage::Format_ARGB32)});
  return all;
}

const QString kListFile = QStringLiteral("artwork.list");

// The build compiles in exactly what was drawn, in the same order: one path
// a line.
QByteArray artworkList(const QList<Artwork> &all) {
  QByteArray list;
  for (const Artwork &art : all) list += art.relativePath.toUtf8() + '\n';
  return list;
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
  const QList<Artwork> all = drawEverything();
  for (const Artwork &art : all) {
    const QString path = root.filePath(art.relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (art.image.isNull() || !art.image.save(path, "PNG")) {
      err << "cannot draw or write " << path << '\n';
      return EXIT_FAILURE;
    }
  }
  QFile list(root.filePath(kListFile));
  if (!list.open(QIODevice::WriteOnly) || list.write(artworkList(all)) < 0) {
    err << "cannot write " << list.fileName() << '\n';
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

int check(const QDir &root) {
  QTextStream err(stderr);
  int stale = 0;
  const QList<Artwork> all = drawEverything();
  for (const Artwork &art : all) {
    const QString path = root.filePath(art.relativePath);
    if (art.image.isNull() || !closeEnough(art.image, QImage(path))) {
      err << path << " does not match its drawing code; regenerate it\n";
      ++stale;
    }
  }
  QFile list(root.filePath(kListFile));
  if (!list.open(QIODevice::ReadOnly) || list.readAll() != artworkList(all)) {
    err << list.fileName() << " does not list the artwork drawn; regenerate it\n";
    ++stale;
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
