#pragma once

// Whether an entry field holds a whole number (signed 32-bit text) or a real
// one (decimal text with a fixed number of decimals).
enum TValueType { vtInteger, vtFloat };
