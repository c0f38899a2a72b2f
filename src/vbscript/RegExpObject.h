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
// backtracks without end ends at the script's time-out, or raises error 28 ("Out of stack
// space") when no time-out stops it first, instead of hanging the game.
#pragma once

#include <memory>

#include "vbscript/Builtins.h"
#include "vbscript/Object.h"

namespace vbs {

// A new RegExp object with an empty pattern and every flag False. Its searches call the
// host's checkTime now and then, so they end at the time-out of the script that runs them.
std::shared_ptr<Object> NewRegExp(std::weak_ptr<BuiltinHost> host = {});

}  // namespace vbs
