#include "TextGroups.h"

bool textGroupShown(int group, const DisplaySettings& settings) {
  if ((group >= 10 && group <= 19) || (group >= 21 && group <= 23)) return settings.importantText;
  if (group == 20 || (group >= 24 && group <= 29)) return settings.otherText;
  return true;
}
