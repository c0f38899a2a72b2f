// Container: an element that holds other elements, ordered from back to front.
//
// The order of children is the z-order: later children are drawn over earlier ones and are
// hit first. Children are not owned; a child destroyed elsewhere leaves its container, and
// a container destroyed first sets its children free (their parent becomes nullptr).
//
// Invariant: the pictures and labels (the light layer) come first, the windowed controls
// after them, and lightCount_ says where the light layer ends. Adding, bringing to the front
// and removing the front-most children (what building and clearing a frame does, thousands
// of times) therefore cost no scan of the whole list.
#pragma once

#include <vector>

#include "platform/Element.h"

namespace tw::platform {

class Container : public Element {
 public:
  ~Container() override;

  // Back to front.
  const std::vector<Element*>& children() const { return children_; }
  // Puts the element at the front of this container, taking it out of its old one.
  void add(Element& child);
  void remove(Element& child);
  void bringToFront(Element& child);
  void sendToBack(Element& child);
  // A container is itself an element that can be brought to the front of its parent.
  using Element::bringToFront;
  using Element::sendToBack;
  bool contains(const Element& element) const;  // at any depth

 protected:
  Container(ElementKind kind, std::string name) : Element(kind, std::move(name)) {}

 private:
  // The child's place, searched from the front of its layer (where recent children are).
  std::vector<Element*>::iterator find(const Element& child);
  std::vector<Element*>::iterator frontOfLayer(const Element& child);
  std::vector<Element*>::iterator backOfLayer(const Element& child);
  void take(std::vector<Element*>::iterator at);
  void put(std::vector<Element*>::iterator at, Element& child);

  std::vector<Element*> children_;
  std::size_t lightCount_ = 0;
};

// The topmost visible, enabled element under (x, y), given in twips of the container's client
// area, descending into containers; nullptr when the point is on the container's own
// background. Disabled elements let the point through to what lies beneath them.
Element* ElementAt(const Container& container, int x, int y);

}  // namespace tw::platform
