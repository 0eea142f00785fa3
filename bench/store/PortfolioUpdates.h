#pragma once
// Updates for the cells of a synthetic portfolio, as a producer's weekly
// exchange set holds them: for each cell, update `number` renames the
// cell's first named feature (its OBJNAM set anew, record version raised).
#include <string>
#include <vector>

// Writes NAME.NNN for each base file given into `directory`/ENC_ROOT, with
// a CATALOG.031 listing them with their CRC-32. Update `number` of a cell
// assumes updates 1 to number - 1 came before it. False when a base cannot
// be read or a file cannot be written.
bool writePortfolioUpdates(const std::vector<std::string>& baseFiles, int number, const std::string& directory);
