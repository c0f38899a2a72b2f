// Dictionary: the Script Runtime's "Scripting.Dictionary", a map from keys to items that keeps
// insertion order.
//
// Key identity (what makes two keys "the same"):
//  - Numbers of every subtype (Byte, Integer, Long, Single, Double, Currency) compare by value:
//    Integer 1, Long 1, Double 1.0 and Currency 1 are one key. A Single holds a slightly
//    different value than the Double written the same way (CSng(0.1) <> 0.1), so those differ.
//  - Strings are never the same key as numbers: 1 and "1" are two keys. Under CompareMode
//    vbTextCompare (1 or more) strings match without regard to case.
//  - Booleans, Dates, Empty, Null and Error values are keys of their own kinds: True is not -1,
//    #1/1/2000# is not 36526, Empty is neither 0 nor "".
//  - Objects are keys by identity (the same object, not an equal default value).
//  - Arrays cannot be keys (13).
// Items keep their insertion order; renaming a key (d.Key(old) = new) keeps its position.
// Look-up, insertion and removal are O(1) on average.
#pragma once

#include <memory>

#include "vbscript/Object.h"

namespace vbs::detail {

std::shared_ptr<Object> NewDictionary();

}  // namespace vbs::detail
