// RegExpObject: the object `New RegExp` creates, and the objects its methods return.
//
// A RegExp (TypeName "IRegExp2") has the properties Pattern, IgnoreCase, Global and Multiline
// and the methods Test, Replace and Execute. Execute gives a MatchCollection
// ("IMatchCollection2": Count, Item — the default member — and For Each) of Match objects
// ("IMatch2": Value — the default member —, FirstIndex, Length, SubMatches); SubMatches
// ("ISubMatches": Count, Item, For Each) holds one value per group, Empty when the group took
// no part in the match. FirstIndex and Length count UTF-16 characters, as VBScript's strings do.
//
// A pattern is compiled when it is first used, not when it is assigned, so a bad pattern raises
// its error (5017 .. 5021) from Test, Replace or Execute. Matching is bounded: a pattern that
// backtracks without end raises error 28 ("Out of stack space") instead of hanging the game.
#pragma once

#include <memory>

#include "vbscript/Object.h"

namespace vbs {

// A new RegExp object with an empty pattern and every flag False.
std::shared_ptr<Object> NewRegExp();

}  // namespace vbs
