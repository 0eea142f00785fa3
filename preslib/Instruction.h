#pragma once
// Drawing instructions: parsed from a look-up record's instruction text, or
// built by a conditional symbology procedure. Each kind is a type of its own
// with the members it draws by; an Instruction holds one of them. Copying
// one copies only the members of its kind, and reading it allocates
// nothing, so the draw pass walks them freely.
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

// How a simple line style strokes: the library's SOLD, DASH and DOTT. Any
// other word reads as Unknown, which strokes nothing.
enum class LineDash : std::uint8_t { Unknown = 0, Solid = 1, Dashed = 2, Dotted = 3 };

// LS: a line in one colour, width and dash.
struct LineStyle {
  int colour = 0;  // colour index
  int width = 0;   // pen width in pixels of 0.32 mm
  LineDash dash = LineDash::Unknown;
};

// LC: a complex line style of the library, by name.
struct ComplexLine {
  std::string name;
};

// AC: a fill in one colour.
struct AreaColour {
  int colour = 0;         // colour index
  int transparency = -1;  // 1 to 3, a quarter more see-through each; 0 or -1 (none given) opaque
};

// AP: an area pattern of the library, by name.
struct AreaPattern {
  std::string name;
};

// SY: a symbol of the library, by name, turned clockwise.
struct Symbol {
  std::string name;
  // In a look-up record: the attribute whose value turns the symbol
  // ("ORIENT"), empty when none. A feature's copy takes the value as its
  // rotation when the look-up is chosen.
  std::string rotationAttribute;
  std::string rotation;  // degrees as text, read with atoi rules when drawn; empty: upright
};

// What the two text kinds share: where and how the text is drawn, and once
// prepared from the feature (TextPreparation.h), the text itself.
struct Text {
  int horizontal = 0;  // justification: 2 the text ends at the anchor, 3 it starts there, else centred on it
  int vertical = 0;    // justification: 2 centred on the anchor, 3 hanging below it, else standing on it
  int spacing = 0;     // character spacing, kept for the reports
  int xOffset = 0;     // in character widths
  int yOffset = 0;     // in units of 300 logical units
  int colour = -1;     // colour index; -1 when none is given (drawn in CHBLK)
  int group = 0;       // text group (the viewing group of texts); 0 when none
  bool prepared = false;
  std::string text;          // the text shown, once prepared
  std::string nationalText;  // shown instead, with national texts, when not empty
};

// TX: the value of an attribute.
struct PlainText : Text {
  std::string attribute;  // acronym
};

// TE: the value of an attribute written in a C format ("%4.1lf m").
struct FormattedText : Text {
  std::string format;
  std::string attribute;  // acronym
};

// CS: a conditional symbology procedure, by name.
struct ProcedureCall {
  std::string name;
};

// The arc of a light sector about the light (made by the light procedure).
// It runs clockwise from bearing `start` to bearing `end`, degrees from
// north (`end` may exceed 360 by a turn).
struct SectorArc {
  int colour = 0;
  int width = 0;
  LineDash dash = LineDash::Solid;
  long long start = 0;
  long long end = 0;
  float radius = 0;  // in units of 88 logical units
};

// A leg from a light: a sector limit or the direction of a directional
// light, drawn dashed from the light (made by the light procedure).
struct Leg {
  int colour = 0;
  int width = 0;
  LineDash dash = LineDash::Solid;  // how the reports show it; a leg is always drawn dashed
  double bearing = 0;  // degrees clockwise from north
  double length = 0;   // units of 88 logical units, or nautical miles when onGround
  bool onGround = false;
};

// The kinds, in the order of Instruction's alternatives. None is what a
// command that cannot be read gives: it draws nothing.
enum class InstructionKind : std::uint8_t {
  None,
  LineStyle,      // LS
  ComplexLine,    // LC
  AreaColour,     // AC
  AreaPattern,    // AP
  Symbol,         // SY
  PlainText,  // TX
  FormattedText,  // TE
  ProcedureCall,  // CS
  SectorArc,
  Leg,
};

class Instruction {
  using Value = std::variant<std::monostate, LineStyle, ComplexLine, AreaColour, AreaPattern, Symbol, PlainText,
                             FormattedText, ProcedureCall, SectorArc, Leg>;

public:
  Instruction() = default;
  template <typename T, typename = std::enable_if_t<!std::is_same_v<std::decay_t<T>, Instruction> &&
                                                    std::is_constructible_v<Value, T&&>>>
  Instruction(T&& value) : value_(std::forward<T>(value)) {}

  InstructionKind kind() const { return static_cast<InstructionKind>(value_.index()); }
  template <typename T>
  bool is() const {
    return std::holds_alternative<T>(value_);
  }
  // The instruction as its kind; as<T> only when it is of that kind.
  template <typename T>
  const T& as() const {
    return std::get<T>(value_);
  }
  template <typename T>
  T& as() {
    return std::get<T>(value_);
  }
  template <typename T>
  const T* find() const {
    return std::get_if<T>(&value_);
  }
  template <typename T>
  T* find() {
    return std::get_if<T>(&value_);
  }
  // The text of a TX or TE; null for any other kind.
  const Text* text() const {
    if (const auto* t = std::get_if<PlainText>(&value_)) return t;
    return std::get_if<FormattedText>(&value_);
  }
  Text* text() {
    if (auto* t = std::get_if<PlainText>(&value_)) return t;
    return std::get_if<FormattedText>(&value_);
  }

private:
  Value value_;
};

