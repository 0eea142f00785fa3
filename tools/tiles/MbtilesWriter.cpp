// Tiles in an MBTiles 1.3 file, through Qt's SQLite driver.
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <cstdio>

#include "TileSink.h"

namespace tiles {

namespace {

QString number(double value) { return QString::number(value, 'f', 7); }

class MbtilesWriter : public TileSink {
public:
  MbtilesWriter() {
    // Qt names its database connections process-wide, so the count that
    // keeps the names apart is process-wide too.
    static std::atomic<int> connections{0};
    connection_ = QStringLiteral("mbtiles-%1").arg(++connections);
  }

  ~MbtilesWriter() override {
    if (database_.isOpen()) {
      if (inBatch_) database_.commit();
      insert_ = QSqlQuery();
      database_.close();
    }
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
  }

  bool open(const std::string& path, const TileSetDescription& d) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
      error_ = "Qt's SQLite driver is not installed (Debian package libqt5sql5-sqlite)";
      return false;
    }
    database_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    database_.setDatabaseName(QString::fromStdString(path));
    if (!database_.open()) return failed("cannot open");
    const QString centre = QStringLiteral("%1,%2,%3")
                               .arg(number((d.bounds.west + d.bounds.east) / 2))
                               .arg(number((d.bounds.south + d.bounds.north) / 2))
                               .arg(d.minZoom);
    const std::pair<const char*, QString> metadata[] = {
        {"name", QString::fromStdString(d.name)},
        {"format", QStringLiteral("png")},
        {"type", QStringLiteral("overlay")},
        {"version", QStringLiteral("1")},
        {"description", QString::fromStdString(d.description)},
        {"bounds", QStringLiteral("%1,%2,%3,%4")
                       .arg(number(d.bounds.west), number(d.bounds.south), number(d.bounds.east), number(d.bounds.north))},
        {"center", centre},
        {"minzoom", QString::number(d.minZoom)},
        {"maxzoom", QString::number(d.maxZoom)},
    };
    if (!database_.transaction()) return failed("cannot start writing");
    QSqlQuery q(database_);
    if (!q.exec(QStringLiteral("CREATE TABLE metadata (name text, value text)")) ||
        !q.exec(QStringLiteral("CREATE UNIQUE INDEX name ON metadata (name)")) ||
        !q.exec(QStringLiteral(
            "CREATE TABLE tiles (zoom_level integer, tile_column integer, tile_row integer, tile_data blob)")) ||
        !q.exec(QStringLiteral("CREATE UNIQUE INDEX tile_index ON tiles (zoom_level, tile_column, tile_row)")))
      return failed("cannot make the tables of", q);
    if (!q.prepare(QStringLiteral("INSERT INTO metadata (name, value) VALUES (?, ?)")))
      return failed("cannot write the metadata of", q);
    for (const auto& [name, value] : metadata) {
      q.addBindValue(QString::fromLatin1(name));
      q.addBindValue(value);
      if (!q.exec()) return failed("cannot write the metadata of", q);
    }
    if (!database_.commit()) return failed("cannot write");
    insert_ = QSqlQuery(database_);
    if (!insert_.prepare(QStringLiteral(
            "INSERT OR REPLACE INTO tiles (zoom_level, tile_column, tile_row, tile_data) VALUES (?, ?, ?, ?)")))
      return failed("cannot write tiles into", insert_);
    return true;
  }

  bool write(const TileId& tile, const QByteArray& png) override {
    if (!inBatch_) {
      if (!database_.transaction()) return failed("cannot write");
      inBatch_ = true;
    }
    insert_.bindValue(0, tile.z);
    insert_.bindValue(1, tile.x);
    insert_.bindValue(2, tmsRow(tile));
    insert_.bindValue(3, png);
    if (!insert_.exec()) return failed("cannot write a tile into", insert_);
    return true;
  }

  bool flush() override {
    if (!inBatch_) return true;
    inBatch_ = false;
    if (!database_.commit()) return failed("cannot write");
    return true;
  }

private:
  bool failed(const char* what, const QSqlQuery& query = QSqlQuery()) {
    QString reason = query.lastError().isValid() ? query.lastError().text() : database_.lastError().text();
    error_ = std::string(what) + " " + database_.databaseName().toStdString() + ": " + reason.toStdString();
    if (inBatch_ || database_.isOpen()) database_.rollback();
    inBatch_ = false;
    return false;
  }

  QString connection_;
  QSqlDatabase database_;
  QSqlQuery insert_;
  bool inBatch_ = false;
};

}  // namespace

std::unique_ptr<TileSink> openMbtiles(const std::string& path, const TileSetDescription& description,
                                      std::string& error) {
  if (!checkOutput(path, true, error)) return nullptr;
  auto writer = std::make_unique<MbtilesWriter>();
  if (!writer->open(path, description)) {
    error = writer->error();
    writer.reset();
    // A file that was made but could not be set up is no MBTiles file.
    QFile::remove(QString::fromStdString(path));
    return nullptr;
  }
  return writer;
}

}  // namespace tiles
