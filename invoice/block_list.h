#pragma once
// A sequence that grows at its end in blocks of fixed size. A block, once
// made, never moves: an invoice of 100,000 lines neither copies its lines as
// it grows nor keeps room for as many again, as a vector would.

#include <cstddef>
#include <iterator>
#include <vector>

namespace lumora {

template <typename T, std::size_t kBlockSize = 512>
class BlockList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = const T&;

    const_iterator() = default;
    const_iterator(const BlockList* list, std::size_t index) : m_list(list), m_index(index) {}
    reference operator*() const { return (*m_list)[m_index]; }
    pointer operator->() const { return &(*m_list)[m_index]; }
    const_iterator& operator++() {
      ++m_index;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++m_index;
      return before;
    }
    bool operator==(const const_iterator& other) const = default;

   private:
    const BlockList* m_list = nullptr;
    std::size_t m_index = 0;
  };

  void push_back(T value) {
    if (m_blocks.empty() || m_blocks.back().size() == kBlockSize) {
      m_blocks.emplace_back().reserve(kBlockSize);
    }
    m_blocks.back().push_back(std::move(value));
    ++m_size;
  }

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  const T& operator[](std::size_t index) const {
    return m_blocks[index / kBlockSize][index % kBlockSize];
  }
  T& operator[](std::size_t index) { return m_blocks[index / kBlockSize][index % kBlockSize]; }
  const T& back() const { return m_blocks.back().back(); }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, m_size}; }

 private:
  std::vector<std::vector<T>> m_blocks;
  std::size_t m_size = 0;
};

}  // namespace lumora
