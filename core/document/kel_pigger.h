// The tagged-tree document: projects, archive descriptions, settings and the records inside
// them are all trees of TKelPigger nodes, written in a small tag syntax of our own.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// A parse failure; Position is the 1-based index in the text where the parser stood.
class EKelPiggerError : public std::runtime_error {
 public:
  EKelPiggerError(const std::string& message, int position)
      : std::runtime_error(message), Position(position) {}
  int Position;
};

// One node: an upper-case name, ordered attributes, a free text and owned children.
// A node owns its children; a node that is given a parent must live on the heap, and
// deleting a child detaches it from its parent first.
class TKelPigger {
 public:
  explicit TKelPigger(TKelPigger* parent = nullptr);
  virtual ~TKelPigger();
  TKelPigger(const TKelPigger&) = delete;
  TKelPigger& operator=(const TKelPigger&) = delete;

  std::string Name;
  std::string Text;
  std::string Indent;
  TKelPigger* Parent = nullptr;
  std::vector<std::string> AttrNames;
  std::vector<std::string> AttrValues;
  int ParsePos = 0;
  int Level = 0;

  // Deep copy of name, text, attributes and children; parent, indent and level stay.
  virtual void Assign(const TKelPigger& source);
  virtual void Clear();
  virtual void SetParent(TKelPigger* newParent);
  virtual void LoadFromText(const std::string& text);
  virtual std::string SaveToText() const;

  void SetName(std::string_view name);
  int ChildCount() const { return static_cast<int>(children_.size()); }
  TKelPigger* Child(int index) const;

  std::string GetAttr(std::string_view name) const;
  void SetAttr(std::string_view name, std::string_view value);
  void DeleteAttr(std::string_view name);

  TKelPigger* FindChild(std::string_view name) const;
  TKelPigger* FindNext(const TKelPigger* child) const;
  TKelPigger* FindChildByAttr(std::string_view name, std::string_view value) const;
  TKelPigger* FindNextByAttr(const TKelPigger* child, std::string_view name,
                             std::string_view value) const;

  // Text lines are split at CR, LF or CR LF and joined again with CR LF after each line; a
  // zero byte ends the text.
  void LoadFromStream(std::string_view bytes);
  void LoadFromFile(const std::string& fileName);
  // Replaces the file atomically: a crash or a full disk never leaves half a file.
  void SaveToFile(const std::string& fileName) const;

 protected:
  // Hooks for derived classes; returning null from CreateChild skips the element.
  virtual TKelPigger* CreateChild(const std::string& name);
  virtual void ChildLoaded(TKelPigger* child) {}
  virtual bool AcceptText(const std::string& chunk) { return true; }
  [[noreturn]] virtual void Error(const std::string& message, int position) const;

 private:
  // Parses one element starting at the 1-based position pos; returns the position after it.
  int ParseNode(const std::string& text, int pos, int depth);
  void RefreshLevels();
  void WriteTo(std::string& out) const;
  int AttrIndex(const std::string& upperName) const;
  int ChildIndex(const TKelPigger* child) const;

  std::vector<TKelPigger*> children_;
  // Where this node last stood among its parent's children, so that walking a long list
  // with FindNext stays linear; checked before use.
  mutable size_t indexHint_ = 0;
};

// The escaping of attribute values and texts.
std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view text);

}  // namespace vx
