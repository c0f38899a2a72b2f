// TaggedPng: small pictures the player writes for itself (the picture beside a saved game),
// marked inside the PNG file so the player never takes a PNG of someone else's for its own.
//
// The mark is a PNG text entry (key and value). A file without the mark (a picture that
// came with the game, a user's own screenshot that happens to share the name) is never
// shown, replaced or deleted as the player's. Writing goes beside the target and is
// renamed over it when complete, so a reader sees the old picture or the new one.
#pragma once

#include <memory>
#include <string>

namespace tw::platform {

class Picture;

struct PngTag {
  std::string key;
  std::string value;
};

// The picture scaled smoothly to at most maxWidth pixels wide, its aspect kept (a narrower
// picture is kept as it is). At least 1 x 1.
std::shared_ptr<const Picture> ScaledToWidth(const Picture& picture, int maxWidth);

// Written beside the target and renamed over it when complete; an empty key writes no tag.
// VbError 75 "Path/File access error" when the file cannot be written.
void SaveTaggedPng(const Picture& picture, const std::string& path, const PngTag& tag);

// Whether the file is a PNG that carries the tag (its pixels are not decoded).
bool HasTaggedPng(const std::string& path, const PngTag& tag);

// The picture of a PNG that carries the tag; nullptr for anything else (no file, no tag,
// damaged pixels).
std::shared_ptr<const Picture> LoadTaggedPng(const std::string& path, const PngTag& tag);

}  // namespace tw::platform
