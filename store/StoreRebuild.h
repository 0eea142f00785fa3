#pragma once
// A store whose index is damaged or lost is rebuilt from its own files:
// each cell's newest base file with the updates of its edition that apply
// in sequence, cancelled where a cancellation lies among them. What only
// the index knew (the exchange sets the files came from, refusals) is lost;
// the time a file was stored is taken from the file. Files kept encrypted
// are decrypted with the permits held; a cell none of them decrypts is
// left out.
#include "StoreFiles.h"
#include "StoreIndex.h"
#include "StoreProtection.h"

StoreIndex rebuildIndex(const StoreFiles& files, const StoreProtection* protection = nullptr);
