#pragma once
// The object a route finding names, among the cells loaded: the feature of
// its cell with its feature object identifier (for a sounding, the one
// nearest the finding's position), as picking would give it, so that the
// window marks it as it marks a picked object.
#include <optional>
#include <vector>

#include "ObjectPicking.h"
#include "RouteFinding.h"

// None for a finding about no object, or when its cell is not loaded (any
// more) or holds no such feature.
std::optional<PickedObject> findingObject(const RouteFinding& finding, const std::vector<S57Cell*>& cells);
