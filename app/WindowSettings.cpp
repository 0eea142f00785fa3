#include "WindowSettings.h"

#include "WindowTheme.h"

namespace {
const QString kGroup = QStringLiteral("display/");
QString key(const char* name) { return kGroup + QLatin1String(name); }

// 1 sets, 2 clears, as the settings' operations take it; 0 when missing.
int flagCode(const QSettings& store, const char* name) {
  const QVariant v = store.value(key(name));
  if (!v.isValid()) return 0;
  return v.toBool() ? 1 : 2;
}
}  // namespace

void saveDisplaySettings(QSettings& store, const DisplaySettings& s) {
  store.setValue(key("category"), s.displayCategory);
  store.setValue(key("paperChartSymbols"), s.paperChartSymbols);
  store.setValue(key("nationalText"), s.nationalText);
  store.setValue(key("soundings"), s.showSoundings);
  store.setValue(key("cellBoundaries"), s.showCellBoundaries);
  store.setValue(key("depthContours"), s.showDepthContours);
  store.setValue(key("worldBaseMap"), s.showWorldBaseMap);
  store.setValue(key("safetyContour"), static_cast<double>(s.safetyContour));
  store.setValue(key("colourScheme"), static_cast<int>(schemeOfTable(s.colourTable)) + 1);
}

void restoreDisplaySettings(const QSettings& store, DisplaySettings& s) {
  bool ok = false;
  const int category = store.value(key("category")).toInt(&ok);
  if (ok) s.setDisplayCategory(category);
  if (int c = flagCode(store, "paperChartSymbols")) s.setSymbolStyle(c);
  if (int c = flagCode(store, "nationalText")) s.setTextLanguage(c);
  if (int c = flagCode(store, "soundings")) s.setShowSoundings(c);
  if (int c = flagCode(store, "cellBoundaries")) s.setShowCellBoundaries(c);
  if (int c = flagCode(store, "depthContours")) s.showDepthContours = c == 1;
  if (int c = flagCode(store, "worldBaseMap")) s.setShowWorldBaseMap(c);
  const double safety = store.value(key("safetyContour")).toDouble(&ok);
  if (ok) s.setSafetyContour(static_cast<float>(safety));
  const int scheme = store.value(key("colourScheme")).toInt(&ok);
  if (ok) s.setColourScheme(scheme);
}

void removeDisplaySettings(QSettings& store) {
  for (const QString& k : store.allKeys())
    if (k.startsWith(kGroup)) store.remove(k);
}
