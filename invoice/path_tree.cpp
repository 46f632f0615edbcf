#include "invoice/path_tree.h"

#include <cassert>
#include <map>
#include <memory>
#include <mutex>

namespace lumora {

PathTree::PathTree(const InvoiceSyntax& syntax) : m_syntax(syntax), m_nodes(1) {
  const int line = insert(kRoot, syntax.linePath);
  m_nodes[static_cast<std::size_t>(line)].line = true;
  const auto add = [&](int node, PathTarget target) {
    const int index = static_cast<int>(m_targets.size());
    m_targets.push_back(target);
    m_nodes[static_cast<std::size_t>(node)].targets.push_back(index);
    return index;
  };
  for (const FieldPath& path : syntax.fields) {
    const bool inLine = isLineField(path.field);
    const int node = insert(inLine ? line : kRoot, path.path);
    const int index = add(node, {PathTarget::Kind::Field, path.field, path.rank, -1, path.attribute,
                                 path.attributeValue});
    if (inLine) m_lineTargets.push_back(index);
  }
  if (!syntax.attachmentPath.empty()) {
    m_nodes[static_cast<std::size_t>(insert(kRoot, syntax.attachmentPath))].attachment = true;
  }
  for (std::size_t i = 0; i < syntax.choices.size(); ++i) {
    const FieldChoice& choice = syntax.choices[i];
    const int group = insert(kRoot, choice.path);
    const int number = static_cast<int>(i);
    m_nodes[static_cast<std::size_t>(group)].choice = number;
    m_choiceTargets.push_back(
        add(insert(group, choice.keyPath), {PathTarget::Kind::ChoiceKey, {}, 0, number, {}, {}}));
    m_choiceTargets.push_back(add(insert(group, choice.valuePath),
                                  {PathTarget::Kind::ChoiceValue, {}, 0, number, {}, {}}));
  }
}

std::string PathTree::expand(std::string_view prefixedName) const {
  const std::size_t colon = prefixedName.find(':');
  assert(colon != std::string_view::npos);
  const std::string_view prefix = prefixedName.substr(0, colon);
  for (const NamespacePrefix& known : m_syntax.prefixes) {
    if (known.prefix == prefix) {
      std::string name(known.uri);
      name += kNameSeparator;
      name += prefixedName.substr(colon + 1);
      return name;
    }
  }
  assert(false && "a path names a prefix its syntax does not list");
  return {};
}

int PathTree::insert(int from, std::string_view path) {
  int node = from;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string name = expand(path.substr(0, slash));
    path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
    int next = child(node, name);
    if (next == kNone) {
      next = static_cast<int>(m_nodes.size());
      m_nodes[static_cast<std::size_t>(node)].children.emplace_back(name, next);
      m_nodes.emplace_back();
    }
    node = next;
  }
  return node;
}

int PathTree::child(int node, std::string_view expandedName) const {
  for (const auto& [name, index] : m_nodes[static_cast<std::size_t>(node)].children) {
    if (name == expandedName) return index;
  }
  return kNone;
}

const PathTree& pathTreeOf(const InvoiceSyntax& syntax) {
  static std::mutex mutex;
  static std::map<const InvoiceSyntax*, std::unique_ptr<PathTree>> trees;
  const std::lock_guard lock(mutex);
  std::unique_ptr<PathTree>& tree = trees[&syntax];
  if (!tree) tree = std::make_unique<PathTree>(syntax);
  return *tree;
}

std::string documentElementName(const InvoiceSyntax& syntax) {
  std::string name(syntax.namespaceUri);
  name += kNameSeparator;
  name += syntax.elementName;
  return name;
}

}  // namespace lumora
