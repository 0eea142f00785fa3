#pragma once
// A walk through an XML route file element by element, over Qt's
// QXmlStreamReader, that remembers where each open element began: a fault
// is reported on the line it is on, and an element left open on the line
// that opened it. The first fault stops the walk. Names are compared
// without namespace prefixes, so files that bind the format's namespace to
// a prefix read as well as files that make it the default.
#include <QString>
#include <QXmlStreamReader>
#include <optional>
#include <vector>

#include "RouteFileResult.h"

class RouteXmlReader {
public:
  explicit RouteXmlReader(const QByteArray& bytes);

  // To the root element; false (with a fault) when there is none.
  bool enterRoot();
  // To the next child element of the element last entered; false at that
  // element's end or at a fault. Every child entered is to be read to its
  // end: by nextChild until false, readText or skipElement.
  bool nextChild();
  // The rest of the element last entered, children and all.
  void skipElement();
  // The text of the element last entered, which may hold no elements.
  QString readText();
  // After the root element: the rest of the document, which must be empty.
  void finish();

  // The element last entered: its local name, the line of its start tag,
  // its namespace and an attribute by its name (null when absent).
  const QString& name() const { return element_.name; }
  int line() const { return element_.line; }
  const QString& namespaceUri() const { return element_.namespaceUri; }
  QString attribute(const char* name) const;

  // An attribute that must be a number, when present: nothing when absent
  // or (with a fault) when not a number. `what` names it in the message.
  std::optional<double> numberAttribute(const char* name, const char* what);

  void fail(RouteFileCode code, int line, const std::string& message);
  // A value from the file quoted for a message (shortened, control
  // characters shown as \xNN).
  static std::string quote(const QString& text);
  bool failed() const { return !result_.ok(); }
  const RouteFileResult& result() const { return result_; }

private:
  bool step();  // one token; false at a fault or the document's end

  QXmlStreamReader xml_;
  struct Element {
    QString name;
    QString namespaceUri;
    int line = 0;
    QXmlStreamAttributes attributes;
  };
  Element element_;
  std::vector<std::pair<QString, int>> open_;  // open elements and the lines that opened them
  RouteFileResult result_;
};
