#include "UpdateControlField.h"

#include "SubfieldCursor.h"

void decodeUpdateControlField(std::string_view field, UpdateControl& out) {
  SubfieldCursor c(field);
  out.repeated = out.present;
  out.present = true;
  out.instruction = c.b11();
  out.index = c.b12();
  out.count = c.b12();
}
