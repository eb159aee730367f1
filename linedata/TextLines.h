#pragma once
// A list of text lines: lines without line ends, UTF-8 encoded.
//
// Held as one text with the end of each line, not as a string per line: a
// 35B snapshot's raw answers are thousands of short lines, and a string each
// doubled their size and made loading mostly a matter of malloc. Lines are
// read as string views into the text; they stay valid until the list changes.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

class TTextLines {
public:
  class const_iterator {
  public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using reference = std::string_view;
    using pointer = void;

    const_iterator() = default;
    const_iterator(const TTextLines *ALines, std::size_t AIndex) : FLines(ALines), FIndex(AIndex) {}
    const std::string_view operator*() const { return (*FLines)[FIndex]; }
    std::string_view operator[](difference_type AOffset) const { return *(*this + AOffset); }
    const_iterator &operator++() { ++FIndex; return *this; }
    const_iterator operator++(int) { const_iterator Before = *this; ++FIndex; return Before; }
    const_iterator &operator--() { --FIndex; return *this; }
    const_iterator operator--(int) { const_iterator Before = *this; --FIndex; return Before; }
    const_iterator &operator+=(difference_type AOffset) { FIndex += static_cast<std::size_t>(AOffset); return *this; }
    const_iterator &operator-=(difference_type AOffset) { FIndex -= static_cast<std::size_t>(AOffset); return *this; }
    friend const_iterator operator+(const_iterator AIt, difference_type AOffset) { return AIt += AOffset; }
    friend const_iterator operator+(difference_type AOffset, const_iterator AIt) { return AIt += AOffset; }
    friend const_iterator operator-(const_iterator AIt, difference_type AOffset) { return AIt -= AOffset; }
    friend difference_type operator-(const const_iterator &A, const const_iterator &B) {
      return static_cast<difference_type>(A.FIndex) - static_cast<difference_type>(B.FIndex);
    }
    bool operator==(const const_iterator &AOther) const { return FIndex == AOther.FIndex; }
    auto operator<=>(const const_iterator &AOther) const { return FIndex <=> AOther.FIndex; }

  private:
    const TTextLines *FLines = nullptr;
    std::size_t FIndex = 0;
  };
  using iterator = const_iterator;
  using value_type = std::string_view;
  using size_type = std::size_t;

  TTextLines() = default;
  TTextLines(std::initializer_list<std::string_view> ALines);
  template <typename TIterator> TTextLines(TIterator AFirst, TIterator ALast) { Append(AFirst, ALast); }
  // ACount times the same line.
  TTextLines(std::size_t ACount, std::string_view ALine);

  std::size_t size() const { return FEnds.size(); }
  bool empty() const { return FEnds.empty(); }
  // Const, so that assigning to a line is an error and not a silent no-op.
  const std::string_view operator[](std::size_t AIndex) const {
    const std::size_t Start = AIndex == 0 ? 0 : FEnds[AIndex - 1];
    return std::string_view(FText).substr(Start, FEnds[AIndex] - Start);
  }
  const std::string_view front() const { return (*this)[0]; }
  const std::string_view back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  void push_back(std::string_view ALine);
  // As push_back, from whatever makes a string view: (), (text), (data, size).
  template <typename... TArgs> void emplace_back(TArgs &&...AArgs) {
    push_back(std::string_view(std::forward<TArgs>(AArgs)...));
  }
  template <typename TIterator> void Append(TIterator AFirst, TIterator ALast) {
    for (; AFirst != ALast; ++AFirst)
      push_back(*AFirst);
  }
  void Append(const TTextLines &ALines) { Append(ALines.begin(), ALines.end()); }
  void RemoveFirst(std::size_t ACount);
  void RemoveLast(std::size_t ACount);
  void clear();
  void swap(TTextLines &AOther) noexcept;
  // Room for ALines lines of ABytes in all.
  void reserve(std::size_t ALines, std::size_t ABytes = 0);
  // Gives back the room for line ends reserved beyond a quarter more than
  // the lines need (the text's own room is left: copying it costs more).
  void TrimReserve();
  // The bytes of all lines together, line ends not counted.
  std::size_t TextBytes() const { return FText.size(); }

  bool operator==(const TTextLines &AOther) const { return FEnds == AOther.FEnds && FText == AOther.FText; }

private:
  std::string FText;              // the lines run together, without line ends
  std::vector<std::uint32_t> FEnds; // where each line ends in FText
};

// Every line followed by CR LF, the last one included; empty list -> "".
std::string TextOf(const TTextLines &ALines);

// Splits at CR LF, lone CR and lone LF; a final line end adds no empty line.
TTextLines SplitText(std::string_view AText);

// Empty or nothing but white space.
bool IsBlankLine(std::string_view ALine);
