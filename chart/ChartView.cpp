#include "ChartView.h"

ChartView& loadingChartView() {
  static ChartView view;
  return view;
}
