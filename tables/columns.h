#pragma once

#include <array>
#include <cstddef>

// The data columns of the two tables (column 1 onward) and the number forms of their values:
// one table for the calculation run, both data files and both listings.
namespace talveno::columns {

enum class Quantity {
    penetration,
    softeningPoint,
    penetrationIndex,
    loadingTime,
    temperature,
    asphaltVolume,
    voids,
    concentration,  // the aggregate volume concentration, in %
    bitumenStiffness,
    mixtureStiffness,
};

// In place of a count of decimals: the exponent form.
inline constexpr int kExponentForm = -1;

// A data column: its quantity; the decimals of its fixed-point form, or the exponent form, in
// which the cells a command writes, the data files and the listings give its values; and the
// width of its field in the data files (12 for an exponent field).
struct Column {
    Quantity quantity;
    int decimals;
    int fileWidth;
};

inline constexpr std::array<Column, 6> kInput = {{
    {Quantity::penetration, 1, 7},
    {Quantity::softeningPoint, 1, 7},
    {Quantity::loadingTime, 3, 10},
    {Quantity::temperature, 1, 7},
    {Quantity::asphaltVolume, 1, 7},
    {Quantity::voids, 1, 7},
}};

inline constexpr std::array<Column, 8> kResult = {{
    {Quantity::penetration, 1, 7},
    {Quantity::softeningPoint, 1, 7},
    {Quantity::penetrationIndex, 2, 7},
    {Quantity::loadingTime, 3, 10},
    {Quantity::temperature, 1, 7},
    {Quantity::concentration, 1, 7},
    {Quantity::bitumenStiffness, kExponentForm, 12},
    {Quantity::mixtureStiffness, kExponentForm, 12},
}};

// The width of a fixed field in the listings; exponent fields keep their 12 characters.
inline constexpr int kListingFixedWidth = 10;

// The table column (from 1) of a quantity among the data columns, 0 when they lack it.
template <std::size_t N>
constexpr int columnOf(const std::array<Column, N>& columns, Quantity quantity) {
    for (std::size_t i = 0; i < N; ++i)
        if (columns[i].quantity == quantity) return static_cast<int>(i) + 1;
    return 0;
}

}  // namespace talveno::columns
