// VariantArray: the storage of a script array, 1 to 60 dimensions, each with its own lower and
// upper bound (VBScript's own arrays start at 0; arrays from hosts may start elsewhere).
//
// Invariants: every dimension has upper >= lower - 1 (upper = lower - 1 is an empty dimension,
// as Array() gives); elements().size() is the product of the dimension lengths; elements are
// stored with the first index varying fastest (the order For Each visits), so ReDim Preserve,
// which may only change the last dimension, keeps every surviving element in place.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "vbscript/Variant.h"

namespace vbs {

// Arrays a script makes (Dim, ReDim, Split, a RegExp's matches) beyond this many elements are
// refused with error 7 rather than left to exhaust memory.
inline constexpr std::int64_t kMaxArrayElements = std::int64_t{1} << 22;

struct ArrayBound {
  std::int32_t lower = 0;
  std::int32_t upper = -1;
};

class VariantArray {
 public:
  static constexpr int kMaxDimensions = 60;

  // Throws 9 for 0 or more than 60 dimensions or an upper bound below lower - 1,
  // 7 when the element count is beyond what can be stored.
  explicit VariantArray(std::vector<ArrayBound> bounds);
  ~VariantArray();
  VariantArray(const VariantArray&) = default;
  VariantArray& operator=(const VariantArray&) = default;
  // An array with lower bounds 0 and the given upper bounds (Dim a(3, 4)).
  static std::shared_ptr<VariantArray> withUpperBounds(const std::vector<std::int32_t>& uppers);
  // A one-dimensional array 0..n-1 of the given values (Array(...)).
  static std::shared_ptr<VariantArray> fromValues(std::vector<Variant> values);
  // A dynamic array that has no dimensions yet (Dim a(), or after Erase): UBound, LBound
  // and indexing raise 9 until a ReDim gives it bounds.
  static std::shared_ptr<VariantArray> unallocated();
  bool allocated() const { return !bounds_.empty(); }

  int dimensions() const { return static_cast<int>(bounds_.size()); }
  // LBound / UBound; dimension counts from 1, 9 when out of range.
  std::int32_t lowerBound(int dimension) const;
  std::int32_t upperBound(int dimension) const;
  const std::vector<ArrayBound>& bounds() const { return bounds_; }

  std::size_t size() const { return elements_.size(); }
  std::vector<Variant>& elements() { return elements_; }
  const std::vector<Variant>& elements() const { return elements_; }

  // The element at the given indices (one per dimension); 9 when the count or an index is
  // out of range.
  Variant& at(std::span<const std::int32_t> indices);
  const Variant& at(std::span<const std::int32_t> indices) const;

  // ReDim: new bounds; elements become Empty unless preserve, which keeps the elements whose
  // indices survive and only allows the last dimension's upper bound to change (9 otherwise).
  // A fixed array (declared with Dim a(n)) throws 10.
  void redim(std::vector<ArrayBound> bounds, bool preserve);

  // Declared with bounds (Dim a(3)): cannot be redimensioned.
  bool isFixed() const { return fixed_; }
  void setFixed(bool fixed) { fixed_ = fixed; }

  // An own, dynamic (not fixed) copy; arrays nested in elements are copied too, objects stay
  // shared.
  std::shared_ptr<VariantArray> deepCopy() const;

 private:
  std::size_t offsetOf(std::span<const std::int32_t> indices) const;

  std::vector<ArrayBound> bounds_;
  std::vector<Variant> elements_;
  bool fixed_ = false;
};

// Frees the values (leaving them Empty) without recursing through the arrays and objects that
// only they hold: a chain of a million dictionaries or arrays, each holding the next, is freed
// in a loop instead of a million nested destructor calls that would overflow the stack.
void ReleaseValues(std::vector<Variant>& values);

}  // namespace vbs
