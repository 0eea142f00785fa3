#pragma once
// The field descriptions of the data descriptive record (DDR): for each field
// tag, its subfields as (label, format) pairs, e.g. "FRID" -> (RCNM, b11),
// (RCID, b14), ... The S-57 decoders use fixed layouts and do not consult
// this table; it is kept as part of the reader's record model.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ReaderResult.h"

using SubfieldDescription = std::pair<std::string, std::string>;  // (label, format)
using FieldDescriptionTable = std::map<std::string, std::vector<SubfieldDescription>>;

// Fills `table` from `ddr`. Returns Ok; DescriptiveTooShort when the DDR is
// shorter than its leader; DescriptiveOutOfBounds when a directory entry or
// a field lies outside the DDR. Fields
// whose text does not split into exactly three parts (controls and name,
// array descriptor, format controls) are skipped, as are "0000" and "0001".
ReaderResult parseFieldDescriptions(std::string_view ddr, FieldDescriptionTable& table);

// The (label, format) pairs of one description: labels from the array
// descriptor split at '!', formats from the format controls with their
// enclosing parentheses removed, split at ',' and expanded by single-digit
// repeat counts ("2b24" is two "b24"). Pairs beyond the last label are dropped.
std::vector<SubfieldDescription> describeSubfields(std::string_view arrayDescriptor,
                                                   std::string_view formatControls);
