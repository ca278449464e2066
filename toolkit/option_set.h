// A set of options named by an enumeration whose values are bit indexes.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace linkshelf {

template <typename Option>
class OptionSet {
 public:
  constexpr OptionSet() = default;
  constexpr OptionSet(std::initializer_list<Option> options) {
    for (Option option : options) bits_ |= Bit(option);
  }
  static constexpr OptionSet FromBits(std::uint32_t bits) {
    OptionSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr bool Has(Option option) const { return (bits_ & Bit(option)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr OptionSet& Add(Option option) {
    bits_ |= Bit(option);
    return *this;
  }
  constexpr OptionSet& Remove(Option option) {
    bits_ &= ~Bit(option);
    return *this;
  }
  friend constexpr bool operator==(OptionSet, OptionSet) = default;

 private:
  static constexpr std::uint32_t Bit(Option option) {
    return std::uint32_t{1} << static_cast<unsigned>(option);
  }
  std::uint32_t bits_ = 0;
};

}  // namespace linkshelf
