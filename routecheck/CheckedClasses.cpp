#include "CheckedClasses.h"

#include <algorithm>
#include <iterator>

namespace {
struct CheckedClass {
  int code;
  const char* acronym;
  CheckRole role;
};

// By OBJL. The areas for which special conditions exist are those a
// mariner must be told of when a route crosses them: traffic separation
// schemes and routes, inshore traffic zones, precautionary areas, restricted
// areas (particularly sensitive sea areas and areas to be avoided among
// them), caution areas, offshore production areas, military practice areas,
// seaplane landing areas, submarine transit lanes, anchorages, marine farms,
// incineration areas, cable and pipeline areas.
constexpr CheckedClass kClasses[] = {
    {3, "ACHBRT", CheckRole::SpecialArea},  {4, "ACHARE", CheckRole::SpecialArea},
    {5, "BCNCAR", CheckRole::Obstacle},     {6, "BCNISD", CheckRole::Obstacle},
    {7, "BCNLAT", CheckRole::Obstacle},     {8, "BCNSAW", CheckRole::Obstacle},
    {9, "BCNSPP", CheckRole::Obstacle},     {11, "BRIDGE", CheckRole::Obstacle},
    {14, "BOYCAR", CheckRole::Obstacle},    {15, "BOYINB", CheckRole::Obstacle},
    {16, "BOYISD", CheckRole::Obstacle},    {17, "BOYLAT", CheckRole::Obstacle},
    {18, "BOYSAW", CheckRole::Obstacle},    {19, "BOYSPP", CheckRole::Obstacle},
    {20, "CBLARE", CheckRole::SpecialArea}, {26, "CAUSWY", CheckRole::NeverSafe},
    {27, "CTNARE", CheckRole::SpecialArea}, {34, "CONVYR", CheckRole::Obstacle},
    {38, "DAMCON", CheckRole::NeverSafe},   {39, "DAYMAR", CheckRole::Obstacle},
    {40, "DWRTCL", CheckRole::SpecialArea}, {41, "DWRTPT", CheckRole::SpecialArea},
    {42, "DEPARE", CheckRole::DepthArea},   {46, "DRGARE", CheckRole::DepthArea},
    {47, "DRYDOC", CheckRole::NeverSafe},   {55, "FSHFAC", CheckRole::Obstacle},
    {57, "FLODOC", CheckRole::NeverSafe},   {61, "GATCON", CheckRole::NeverSafe},
    {65, "HULKES", CheckRole::NeverSafe},   {66, "ICEARE", CheckRole::Obstacle},
    {67, "ICNARE", CheckRole::SpecialArea}, {68, "ISTZNE", CheckRole::SpecialArea},
    {71, "LNDARE", CheckRole::NeverSafe},   {76, "LITFLT", CheckRole::Obstacle},
    {77, "LITVES", CheckRole::Obstacle},    {80, "LOGPON", CheckRole::Obstacle},
    {82, "MARCUL", CheckRole::SpecialArea}, {83, "MIPARE", CheckRole::SpecialArea},
    {84, "MORFAC", CheckRole::Obstacle},    {86, "OBSTRN", CheckRole::Danger},
    {87, "OFSPLF", CheckRole::Obstacle},    {88, "OSPARE", CheckRole::SpecialArea},
    {89, "OILBAR", CheckRole::Obstacle},    {90, "PILPNT", CheckRole::Obstacle},
    {92, "PIPARE", CheckRole::SpecialArea}, {95, "PONTON", CheckRole::NeverSafe},
    {96, "PRCARE", CheckRole::SpecialArea}, {98, "PYLONS", CheckRole::Obstacle},
    {110, "RCTLPT", CheckRole::SpecialArea}, {112, "RESARE", CheckRole::SpecialArea},
    {120, "SPLARE", CheckRole::SpecialArea}, {122, "SLCONS", CheckRole::NeverSafe},
    {129, "SOUNDG", CheckRole::Sounding},   {133, "SUBTLN", CheckRole::SpecialArea},
    {147, "TSSCRS", CheckRole::SpecialArea}, {148, "TSSLPT", CheckRole::SpecialArea},
    {149, "TSSRON", CheckRole::SpecialArea}, {150, "TSEZNE", CheckRole::SpecialArea},
    {152, "TWRTPT", CheckRole::SpecialArea}, {153, "UWTROC", CheckRole::Danger},
    {154, "UNSARE", CheckRole::NeverSafe},  {159, "WRECKS", CheckRole::Danger},
    {163, "NEWOBJ", CheckRole::Obstacle},   {301, "M_CSCL", CheckRole::ScaleArea},
    {302, "M_COVR", CheckRole::None},
};

const CheckedClass* find(int code) {
  const auto it = std::lower_bound(std::begin(kClasses), std::end(kClasses), code,
                                   [](const CheckedClass& c, int value) { return c.code < value; });
  return it != std::end(kClasses) && it->code == code ? it : nullptr;
}
}  // namespace

CheckRole checkRole(int objectClass) {
  const CheckedClass* c = find(objectClass);
  return c ? c->role : CheckRole::None;
}

std::string_view checkedClassAcronym(int objectClass) {
  const CheckedClass* c = find(objectClass);
  return c ? c->acronym : "";
}
