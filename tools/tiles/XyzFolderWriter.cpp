// Tiles as Z/X/Y.png files in a folder.
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <set>
#include <utility>

#include "TileSink.h"

namespace tiles {

namespace {

class XyzFolderWriter : public TileSink {
public:
  explicit XyzFolderWriter(const QString& directory) : root_(directory) {}

  bool write(const TileId& tile, const QByteArray& png) override {
    const QString column = QStringLiteral("%1/%2").arg(tile.z).arg(tile.x);
    if (made_.insert({tile.z, tile.x}).second && !root_.mkpath(column)) {
      error_ = "cannot make the folder " + root_.filePath(column).toStdString();
      return false;
    }
    const QString path = root_.filePath(QStringLiteral("%1/%2.png").arg(column).arg(tile.y));
    // Written under a temporary name next to it and renamed once complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit()) {
      error_ = "cannot write " + path.toStdString() + ": " + file.errorString().toStdString();
      return false;
    }
    return true;
  }

  bool flush() override { return true; }  // each file is complete once renamed

private:
  QDir root_;
  std::set<std::pair<int, int>> made_;  // zoom and column folders made
};

}  // namespace

std::unique_ptr<TileSink> openXyzFolder(const std::string& directory, std::string& error) {
  if (!checkOutput(directory, false, error)) return nullptr;
  return std::make_unique<XyzFolderWriter>(QString::fromStdString(directory));
}

bool checkOutput(const std::string& out, bool mbtiles, std::string& error) {
  const QString path = QString::fromStdString(out);
  const QFileInfo info(path);
  if (mbtiles) {
    if (info.exists()) {
      error = out + " already exists (remove it or choose another name)";
      return false;
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
      error = "cannot write in the folder " + folder.filePath().toStdString();
      return false;
    }
    return true;
  }
  if (info.exists() && !info.isDir()) {
    error = out + " exists and is not a folder";
    return false;
  }
  if (!QDir().mkpath(path) || !QFileInfo(path).isWritable()) {
    error = "cannot make or write in the folder " + out;
    return false;
  }
  return true;
}

}  // namespace tiles
