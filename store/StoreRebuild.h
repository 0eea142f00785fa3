#pragma once
// A store whose index is damaged or lost is rebuilt from its own files:
// each cell's newest base file with the updates of its edition that apply
// in sequence, cancelled where a cancellation lies among them. What only
// the index knew (the exchange sets the files came from, refusals) is lost;
// the time a file was stored is taken from the file. Files kept encrypted
// are decrypted with the permits held.
//
// A cell whose encrypted base no permit held decrypts now (none installed,
// expired, another manufacturer key) is kept all the same, marked
// `keptUnread`: with what the damaged index still recorded of it where its
// files are there as recorded, else with what the store's folders show (its
// newest base file and the updates beside it, edition not known). Nothing
// the mariner installed is dropped because it cannot be read at this
// moment; once a permit decrypts it, `rereadKeptCells` takes it whole.
#include <vector>

#include "StoreFiles.h"
#include "StoreIndex.h"
#include "StoreProtection.h"

// `recorded`: the cells a damaged index still describes (salvageIndexCells).
StoreIndex rebuildIndex(const StoreFiles& files, const StoreProtection* protection = nullptr,
                        const std::vector<StoredCell>& recorded = {});

// Reads again every cell kept unread; those the permits held now decrypt
// take the entry a rebuild gives them. True when any entry changed.
bool rereadKeptCells(StoreIndex& index, const StoreFiles& files, const StoreProtection* protection);
