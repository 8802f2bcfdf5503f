// A class for each of the 256 byte values, built at compile time from rows that list the
// members of each class; a byte no row lists has the class of the others.
//
// The character-class and expression tables read a byte's class with one look-up instead of
// a chain of range tests.
#ifndef CORVIXMATH_FRAME_INTERNAL_BYTE_CLASSES_H
#define CORVIXMATH_FRAME_INTERNAL_BYTE_CLASSES_H

#include <climits>
#include <cstddef>

namespace corvix {

constexpr std::size_t kByteValues = UCHAR_MAX + 1;

template <class Class>
struct ByteClassRow {
  Class byteClass;
  const char* members;  // terminated, so NUL cannot be listed
};

template <class Class>
struct ByteClassTable {
  Class ofByte[kByteValues];

  constexpr Class operator[](char unit) const { return ofByte[static_cast<unsigned char>(unit)]; }
};

// A byte named by several rows keeps the class of the first row that names it: the rows are
// written from the last to the first.
template <class Class, std::size_t Rows>
constexpr ByteClassTable<Class> MakeByteClassTable(const ByteClassRow<Class> (&rows)[Rows],
                                                   Class others) {
  ByteClassTable<Class> table{};
  for (Class& byteClass : table.ofByte)
    byteClass = others;
  for (std::size_t row = Rows; row-- > 0;) {
    for (const char* member = rows[row].members; *member != '\0'; ++member)
      table.ofByte[static_cast<unsigned char>(*member)] = rows[row].byteClass;
  }
  return table;
}

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_BYTE_CLASSES_H
