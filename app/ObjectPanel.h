#pragma once
// 物标信息: the panel of object selection, docked at the right of the chart.
// Above, the objects the last click picked, each by class name and acronym
// ("Depth area (DEPARE)") with its cell (marked 非官方 when its data is not
// an official ENC); below, the chosen object: its
// position (points, soundings) or extent (lines, areas) in degrees and
// minutes, and its attributes by their long names with readable values
// (ObjectDescription.h). Long values wrap; nothing is cut. Names follow the
// chart's language: under 中文显示 classes, attributes and values in Chinese
// with their S-57 acronyms ("水深区 (DEPARE)").
#include <QDockWidget>
#include <vector>

#include "ObjectDescription.h"
#include "ObjectPicking.h"

struct PresentationLibrary;
class QTextBrowser;
class QTreeWidget;

class ObjectPanel : public QDockWidget {
  Q_OBJECT

public:
  enum Column { ObjectColumn, CellColumn };

  // Names and values are described from `library`, which outlives the panel.
  explicit ObjectPanel(const PresentationLibrary& library, QWidget* parent = nullptr);

  // Lists the objects and chooses the first; an empty list leaves only the
  // headers.
  void showObjects(std::vector<PickedObject> objects);
  // Chooses no object (the list stays).
  void clearChoice();
  // The language of the names; the list and the description are told anew
  // in it, the choice kept.
  void setLanguage(NameLanguage language);
  NameLanguage language() const { return language_; }

  const std::vector<PickedObject>& objects() const { return objects_; }
  // The chosen object, or null.
  const PickedObject* chosen() const;

  QTreeWidget* objectList() const { return list_; }
  QTextBrowser* attributeView() const { return view_; }

signals:
  // Another object (or none) is chosen: the window redraws its highlight.
  void choiceChanged();

private:
  void describeChosen();
  void listObjects();

  const PresentationLibrary& library_;
  QTreeWidget* list_ = nullptr;
  QTextBrowser* view_ = nullptr;
  std::vector<PickedObject> objects_;
  NameLanguage language_ = NameLanguage::Chinese;
};
