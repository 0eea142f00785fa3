#pragma once
// A data server's product list (INFO/PRODUCTS.TXT of its encrypted exchange
// sets): the edition and the latest update of every cell in its service as
// the data server last announced them. The store keeps, per data server,
// the newest list it was given (by the list's :DATE line), so a cell shown
// can be weighed against what its data server has issued since: a cell
// behind its list is shown with SSE 27, a warning and never a refusal.
//
// A FULL list replaces what is held; a PARTIAL one (a single exchange set's
// cells) newer than the held list takes the place of the records of the
// cells it names and leaves the others, so a base set's partial list never
// makes the store forget the rest of the service.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ProductRecord {
  std::string cell;   // the cell name, without ".000"
  int edition = 0;    // 0: the cell is cancelled
  int update = 0;     // the latest update of that edition; 0 when none
  std::string line;   // the record as the list gave it
};

struct ProductList {
  std::string dataServer;  // two characters, from SERIAL.ENC
  std::string date;        // the :DATE line's date and time, YYYYMMDDhhmmss
  bool full = false;       // :CONTENT FULL
  std::vector<ProductRecord> cells;  // by name

  const ProductRecord* find(std::string_view cell) const;
};

// Reads a product list; nothing, with the reason in `error`, when its
// :DATE line is missing or not a date. Records that do not read (a name
// that is no cell file, an edition or update that is no number) are left
// out and counted in `skipped`.
std::optional<ProductList> parseProductList(std::string_view bytes, std::string& error, int* skipped = nullptr);

// The list as the store keeps it: the header, then the records as given.
std::string productListBytes(const ProductList& list);

// The list to hold after `offered` came for a data server that held `held`
// (nothing when none): `held` unchanged when `offered` is not newer.
ProductList mergeProductList(const std::optional<ProductList>& held, const ProductList& offered);

// Whether a cell of `edition` holding updates up to `update` is behind the
// list's record for it: an edition (or the cancellation) the list
// announces and the cell lacks, or a later update of its edition.
bool behindProductRecord(int edition, int update, const ProductRecord& record);

// "products/GB": where the store keeps a data server's list; empty for a
// data server whose name is not two letters or digits.
std::string productListPath(std::string_view dataServer);
