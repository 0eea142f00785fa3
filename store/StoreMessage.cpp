#include "StoreMessage.h"

namespace {
StoreMessage make(StoreMessageKind kind, const std::string& detail, std::string text) {
  StoreMessage m;
  m.kind = kind;
  m.detail = detail;
  m.text = std::move(text);
  return m;
}
}  // namespace

StoreMessage indexRebuiltMessage(const std::string& damage, long long cells) {
  StoreMessage m = make(StoreMessageKind::IndexRebuilt, damage,
                        "the chart store's index was damaged (" + damage + "): rebuilt from its files, " +
                            std::to_string(cells) + " cells");
  m.count = cells;
  return m;
}

StoreMessage busyMessage(const std::string& folder) {
  return make(StoreMessageKind::Busy, folder,
              "another program is changing the chart store (" + folder + "); try again when it has finished");
}

StoreMessage cannotWriteMessage(const std::string& why) {
  return make(StoreMessageKind::CannotWrite, why, "the chart store could not be written: " + why);
}

StoreMessage noSuchSourceMessage(const std::string& source) {
  return make(StoreMessageKind::NoSuchSource, source, "no such folder or cell file: " + source);
}

StoreMessage permitsDamagedMessage(const std::string& damage) {
  return make(StoreMessageKind::PermitsDamaged, damage,
              "the chart store's permits are damaged (" + damage +
                  "): none is used; install the permit files (PERMIT.TXT) again");
}

StoreMessage productListUnreadableMessage(const std::string& file, const std::string& why) {
  return make(StoreMessageKind::ProductListUnreadable, file,
              "the product list " + file + " cannot be read (" + why +
                  "): no cell is checked against it for being up to date");
}
