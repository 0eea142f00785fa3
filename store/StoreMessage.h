#pragma once
// What the store says of itself besides each cell's outcome: an index
// rebuilt from the files, a store another program is changing, a write
// that failed, a source that is not there. Kind and values for the window,
// which words them in its own language; the English line for the tools.
#include <string>

enum class StoreMessageKind {
  None,
  IndexRebuilt,  // the index was damaged (`detail` how) and rebuilt: `count` cells
  Busy,          // another program is changing the store at `detail`
  CannotWrite,   // the store could not be written (`detail` why): it stands as before
  NoSuchSource,  // `detail` is neither a folder nor a cell file: nothing imported
  PermitsDamaged,  // the store's permits are damaged (`detail` how): none is used until permits are installed again
  ProductListUnreadable,  // a product list (`detail`: the file) does not read: no cell is weighed against it
};

struct StoreMessage {
  StoreMessageKind kind = StoreMessageKind::None;
  std::string detail;
  long long count = 0;
  std::string text;
};

StoreMessage indexRebuiltMessage(const std::string& damage, long long cells);
StoreMessage busyMessage(const std::string& folder);
StoreMessage cannotWriteMessage(const std::string& why);
StoreMessage noSuchSourceMessage(const std::string& source);
StoreMessage permitsDamagedMessage(const std::string& damage);
StoreMessage productListUnreadableMessage(const std::string& file, const std::string& why);
