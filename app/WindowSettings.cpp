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
  store.setValue(key("scaleBoundaries"), s.showScaleBoundaries);
  store.setValue(key("safetyContour"), static_cast<double>(s.safetyContour));
  store.setValue(key("shallowContour"), static_cast<double>(s.shallowContour));
  store.setValue(key("deepContour"), static_cast<double>(s.deepContour));
  store.setValue(key("twoDepthShades"), s.twoDepthShades);
  store.setValue(key("shallowPattern"), s.shallowPattern);
  store.setValue(key("useScaleMinimum"), s.useScaleMinimum);
  store.setValue(key("importantText"), s.importantText);
  store.setValue(key("otherText"), s.otherText);
  store.setValue(key("viewingDate"), s.dateIsToday ? 0 : s.viewingDate);  // 0: today
  store.setValue(key("allDates"), s.showAllDates);
  // -1: the safety depth follows the safety contour.
  store.setValue(key("safetyDepth"), s.safetyDepthIsContour ? -1.0 : static_cast<double>(s.safetyDepth));
  store.setValue(key("shallowWaterDangers"), s.shallowWaterDangers);
  store.setValue(key("plainBoundaries"), s.plainBoundaries);
  store.setValue(key("fullLightSectors"), s.rangeLegs);
  store.setValue(key("dataQuality"), s.showDataQuality);
  store.setValue(key("colourScheme"), static_cast<int>(s.colourScheme()) + 1);
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
  if (int c = flagCode(store, "scaleBoundaries")) s.setShowScaleBoundaries(c);
  // The safety contour first: it sets the shallow and deep ones beside it.
  const double safety = store.value(key("safetyContour")).toDouble(&ok);
  if (ok) s.setSafetyContour(static_cast<float>(safety));
  const double shallow = store.value(key("shallowContour")).toDouble(&ok);
  if (ok) s.setShallowContour(static_cast<float>(shallow));
  const double deep = store.value(key("deepContour")).toDouble(&ok);
  if (ok) s.setDeepContour(static_cast<float>(deep));
  if (int c = flagCode(store, "twoDepthShades")) s.setTwoDepthShades(c);
  if (int c = flagCode(store, "shallowPattern")) s.setShallowPattern(c);
  if (int c = flagCode(store, "useScaleMinimum")) s.setUseScaleMinimum(c);
  if (int c = flagCode(store, "importantText")) s.setImportantText(c);
  if (int c = flagCode(store, "otherText")) s.setOtherText(c);
  if (int c = flagCode(store, "allDates")) s.setShowAllDates(c);
  const double safetyDepth = store.value(key("safetyDepth")).toDouble(&ok);
  if (ok && safetyDepth < 0) s.setSafetyDepthFollowsContour();
  else if (ok) s.setSafetyDepth(static_cast<float>(safetyDepth));
  if (int c = flagCode(store, "shallowWaterDangers")) s.setShallowWaterDangers(c);
  // Stored before area boundaries were a choice of their own, paper-chart
  // symbols meant plain boundaries: they stay as they were.
  const int plain = flagCode(store, "plainBoundaries");
  if (int c = plain ? plain : flagCode(store, "paperChartSymbols")) s.setPlainBoundaries(c);
  if (int c = flagCode(store, "fullLightSectors")) s.setRangeLegs(c);
  if (int c = flagCode(store, "dataQuality")) s.setShowDataQuality(c);
  const int date = store.value(key("viewingDate")).toInt(&ok);
  if (ok && date == 0) s.setDateToday();
  else if (ok) s.setViewingDate(date);
  const int scheme = store.value(key("colourScheme")).toInt(&ok);
  if (ok) s.setColourScheme(scheme);
}

void removeDisplaySettings(QSettings& store) {
  for (const QString& k : store.allKeys())
    if (k.startsWith(kGroup)) store.remove(k);
}
