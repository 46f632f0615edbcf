#pragma once
// A syntax's table compiled for the reader: one tree of element names from
// the document element down, so that each start tag costs one look-up among
// the children of its parent's node. Names are expanded: namespace URI, the
// separator kNameSeparator, local name, as the parser reports them.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "invoice/invoice_syntax.h"

namespace lumora {

inline constexpr char kNameSeparator = '\x1F';

// What the text of an element at a node goes to.
struct PathTarget {
  enum class Kind { Field, ChoiceKey, ChoiceValue };
  Kind kind = Kind::Field;
  Field field = Field::Number;
  int rank = 0;
  int choice = -1;  // the FieldChoice of a key or value
  std::string_view attribute;
  std::string_view attributeValue;
};

struct PathNode {
  std::vector<std::pair<std::string, int>> children;  // expanded name, node
  std::vector<int> targets;
  int choice = -1;          // the element of this FieldChoice
  bool line = false;        // the element of one invoice line
  bool attachment = false;  // the element of one attached document
};

class PathTree {
 public:
  static constexpr int kRoot = 0;
  static constexpr int kNone = -1;

  explicit PathTree(const InvoiceSyntax& syntax);

  // The child of `node` with this expanded name, or kNone.
  int child(int node, std::string_view expandedName) const;
  const PathNode& node(int index) const { return m_nodes[static_cast<std::size_t>(index)]; }
  const PathTarget& target(int index) const { return m_targets[static_cast<std::size_t>(index)]; }
  std::size_t targetCount() const { return m_targets.size(); }
  // Targets whose first match is sought anew in every line or choice element.
  const std::vector<int>& lineTargets() const { return m_lineTargets; }
  const std::vector<int>& choiceTargets() const { return m_choiceTargets; }

 private:
  int insert(int from, std::string_view path);
  std::string expand(std::string_view prefixedName) const;

  const InvoiceSyntax& m_syntax;
  std::vector<PathNode> m_nodes;
  std::vector<PathTarget> m_targets;
  std::vector<int> m_lineTargets;
  std::vector<int> m_choiceTargets;
};

// The compiled tree of a syntax, made on first use and kept.
const PathTree& pathTreeOf(const InvoiceSyntax& syntax);

// The expanded name of a syntax's document element.
std::string documentElementName(const InvoiceSyntax& syntax);

}  // namespace lumora
