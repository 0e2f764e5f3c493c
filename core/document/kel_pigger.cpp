#include "document/kel_pigger.h"

#include <algorithm>

#include "platform/files.h"
#include "text/text_case.h"

namespace vx {
namespace {

// Deeper nesting than any document of ours ends in a syntax error, not a stack overflow.
constexpr int kMaxDepth = 256;
constexpr const char* kCrLf = "\r\n";
constexpr const char* kSyntaxError = "Syntax error";
constexpr std::string_view kTagNameDelims{" />\r\n\t", 6};
constexpr std::string_view kAttrNameDelims{" =/>\r\n\t", 7};
constexpr std::string_view kValueDelims{" >/\n\r\t", 6};

// The parser works with 1-based positions; a position outside the text reads as byte 0.
char At(const std::string& text, int pos) {
  return pos >= 1 && pos <= static_cast<int>(text.size()) ? text[pos - 1] : '\0';
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Advances over blanks but never past the last character.
int SkipBlanks(const std::string& text, int pos) {
  const int len = static_cast<int>(text.size());
  while (pos < len && IsBlank(At(text, pos))) ++pos;
  return pos;
}

// 1-based index of the first character at or after pos that is in the set, or 0.
int FindFirstOf(const std::string& text, std::string_view set, int pos) {
  const size_t found = text.find_first_of(set, static_cast<size_t>(std::max(pos, 1) - 1));
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

std::string Slice(const std::string& text, int from, int to) {
  return text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from));
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool NeedsEscape(unsigned char c) {
  if (c < 32) return c != 9 && c != 10 && c != 13;
  return c == '"' || c == '%' || c == '<' || c == '>';
}

int DigitValue(unsigned char c) { return c < 'A' ? c - 48 : c - 55; }

}  // namespace

std::string EscapeText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (NeedsEscape(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

std::string UnescapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    // A '%' without two characters after it is kept as it stands.
    if (text[i] == '%' && i + 2 < text.size()) {
      const int value = DigitValue(static_cast<unsigned char>(text[i + 1])) * 16 +
                        DigitValue(static_cast<unsigned char>(text[i + 2]));
      out += static_cast<char>(value & 0xFF);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

TKelPigger::TKelPigger(TKelPigger* parent) : Indent(kCrLf) {
  if (parent) SetParent(parent);
}

TKelPigger::~TKelPigger() {
  if (Parent) {
    auto& siblings = Parent->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  }
  for (TKelPigger* child : children_) {
    child->Parent = nullptr;
    delete child;
  }
}

void TKelPigger::Clear() {
  for (TKelPigger* child : children_) {
    child->Parent = nullptr;
    delete child;
  }
  children_.clear();
  Name.clear();
  Text.clear();
  AttrNames.clear();
  AttrValues.clear();
}

void TKelPigger::SetParent(TKelPigger* newParent) {
  if (newParent == Parent) return;
  if (Parent) {
    auto& siblings = Parent->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  }
  Parent = newParent;
  if (Parent) {
    indexHint_ = Parent->children_.size();
    Parent->children_.push_back(this);
    Level = Parent->Level + 1;
    Indent = Parent->Indent + '\t';
  } else {
    Level = 0;
    Indent = kCrLf;
  }
  RefreshLevels();
}

void TKelPigger::RefreshLevels() {
  for (TKelPigger* child : children_) {
    child->Level = Level + 1;
    child->Indent = Indent + '\t';
    child->RefreshLevels();
  }
}

void TKelPigger::SetName(std::string_view name) { Name = AsciiUpper(Trim(name)); }

TKelPigger* TKelPigger::Child(int index) const {
  return index >= 0 && index < ChildCount() ? children_[static_cast<size_t>(index)] : nullptr;
}

void TKelPigger::Assign(const TKelPigger& source) {
  if (&source == this) return;
  for (const TKelPigger* p = source.Parent; p; p = p->Parent) {
    if (p == this) {
      // The source lives below this node and Clear would destroy it: copy it out first.
      TKelPigger copy;
      copy.Assign(source);
      Assign(copy);
      return;
    }
  }
  Clear();
  SetName(source.Name);
  Text = source.Text;
  AttrNames = source.AttrNames;
  AttrValues = source.AttrValues;
  for (const TKelPigger* child : source.children_) {
    auto* copy = new TKelPigger(this);
    copy->Assign(*child);
  }
}

int TKelPigger::AttrIndex(const std::string& upperName) const {
  auto it = std::find(AttrNames.begin(), AttrNames.end(), upperName);
  return it == AttrNames.end() ? -1 : static_cast<int>(it - AttrNames.begin());
}

std::string TKelPigger::GetAttr(std::string_view name) const {
  const int i = AttrIndex(AsciiUpper(name));
  return i < 0 ? std::string() : AttrValues[static_cast<size_t>(i)];
}

void TKelPigger::SetAttr(std::string_view name, std::string_view value) {
  if (value.empty()) return DeleteAttr(name);
  std::string upper = AsciiUpper(name);
  const int i = AttrIndex(upper);
  if (i >= 0) {
    AttrValues[static_cast<size_t>(i)] = value;
  } else {
    AttrNames.push_back(std::move(upper));
    AttrValues.emplace_back(value);
  }
}

void TKelPigger::DeleteAttr(std::string_view name) {
  const int i = AttrIndex(AsciiUpper(name));
  if (i < 0) return;
  AttrNames.erase(AttrNames.begin() + i);
  AttrValues.erase(AttrValues.begin() + i);
}

int TKelPigger::ChildIndex(const TKelPigger* child) const {
  if (!child) return -1;
  if (child->indexHint_ < children_.size() && children_[child->indexHint_] == child) {
    return static_cast<int>(child->indexHint_);
  }
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return -1;
  child->indexHint_ = static_cast<size_t>(it - children_.begin());
  return static_cast<int>(child->indexHint_);
}

TKelPigger* TKelPigger::FindChild(std::string_view name) const {
  const std::string upper = AsciiUpper(name);
  for (TKelPigger* child : children_) {
    if (child->Name == upper) return child;
  }
  return nullptr;
}

TKelPigger* TKelPigger::FindNext(const TKelPigger* child) const {
  if (!child) return nullptr;
  for (int i = ChildIndex(child) + 1; i < ChildCount(); ++i) {
    TKelPigger* candidate = children_[static_cast<size_t>(i)];
    if (candidate->Name == child->Name) {
      candidate->indexHint_ = static_cast<size_t>(i);
      return candidate;
    }
  }
  return nullptr;
}

TKelPigger* TKelPigger::FindChildByAttr(std::string_view name, std::string_view value) const {
  return FindNextByAttr(nullptr, name, value);
}

TKelPigger* TKelPigger::FindNextByAttr(const TKelPigger* child, std::string_view name,
                                       std::string_view value) const {
  const std::string wanted = Utf8Upper(value);
  for (int i = child ? ChildIndex(child) + 1 : 0; i < ChildCount(); ++i) {
    TKelPigger* candidate = children_[static_cast<size_t>(i)];
    if (Utf8Upper(candidate->GetAttr(name)) == wanted) {
      candidate->indexHint_ = static_cast<size_t>(i);
      return candidate;
    }
  }
  return nullptr;
}

TKelPigger* TKelPigger::CreateChild(const std::string&) { return new TKelPigger(this); }

void TKelPigger::Error(const std::string& message, int position) const {
  throw EKelPiggerError(message, position);
}

void TKelPigger::LoadFromText(const std::string& text) {
  Clear();
  if (!text.empty()) ParseNode(text, SkipBlanks(text, 1), 0);
}

int TKelPigger::ParseNode(const std::string& text, int pos, int depth) {
  ParsePos = pos;
  if (depth > kMaxDepth) Error(kSyntaxError, pos);

  // The tag name; blanks after '<' are allowed.
  const int lt = FindFirstOf(text, "<", pos);
  if (lt == 0) Error(kSyntaxError, pos);
  const int nameStart = SkipBlanks(text, lt + 1);
  const int nameEnd = FindFirstOf(text, kTagNameDelims, nameStart);
  if (nameEnd == 0) Error(kSyntaxError, pos);
  SetName(Slice(text, nameStart, nameEnd));
  pos = nameEnd;

  // Attributes.
  for (;;) {
    pos = SkipBlanks(text, pos);
    const char c = At(text, pos);
    if (c == '/' || c == '>') break;
    // A blank that cannot be skipped is the last character: the start tag never ends.
    if (IsBlank(c)) Error(kSyntaxError, pos);
    const int attrEnd = FindFirstOf(text, kAttrNameDelims, pos);
    if (attrEnd == 0) Error(kSyntaxError, pos);
    std::string attrName = AsciiUpper(Slice(text, pos, attrEnd));
    pos = SkipBlanks(text, attrEnd);
    std::string value;
    if (At(text, pos) == '=') {
      pos = SkipBlanks(text, pos + 1);
      if (At(text, pos) == '"') {
        const size_t close = text.find('"', static_cast<size_t>(pos));
        if (close == std::string::npos) Error(kSyntaxError, pos);
        value = UnescapeText(Slice(text, pos + 1, static_cast<int>(close) + 1));
        pos = static_cast<int>(close) + 2;
      } else {
        const int valueEnd = FindFirstOf(text, kValueDelims, pos);
        if (valueEnd == 0) Error(kSyntaxError, pos);
        value = UnescapeText(Slice(text, pos, valueEnd));
        pos = valueEnd;
      }
    }
    AttrNames.push_back(std::move(attrName));
    AttrValues.push_back(std::move(value));
  }

  ParsePos = pos;
  pos = SkipBlanks(text, pos);
  if (At(text, pos) == '/' && At(text, pos + 1) == '>') {
    pos += 2;
    ParsePos = pos;
    return pos;
  }
  const char closing = At(text, pos);
  ++pos;
  if (closing != '>') Error(kSyntaxError, pos);

  // Children and text.
  for (;;) {
    pos = SkipBlanks(text, pos);
    const int next = FindFirstOf(text, "<", pos);
    if (next == 0) Error(kSyntaxError, pos);
    if (next > pos) {
      const std::string chunk = UnescapeText(Trim(Slice(text, pos, next)));
      if (!chunk.empty() && AcceptText(chunk)) Text += chunk;
    }
    pos = next;
    if (At(text, pos + 1) == '/') break;
    // Read the child's name ahead, so a derived class can choose what to build.
    const int childNameStart = SkipBlanks(text, pos + 1);
    const int childNameEnd = FindFirstOf(text, kTagNameDelims, childNameStart);
    if (childNameEnd == 0) Error(kSyntaxError, pos);
    const std::string childName = AsciiUpper(Trim(Slice(text, childNameStart, childNameEnd)));
    if (TKelPigger* child = CreateChild(childName)) {
      pos = child->ParseNode(text, pos, depth + 1);
      ChildLoaded(child);
    } else {
      TKelPigger skipped;
      pos = skipped.ParseNode(text, pos, depth + 1);
    }
    ParsePos = pos;
  }

  // End tag: "</" and the name, case-insensitively, then '>'.
  const int endStart = pos;
  const std::string unclosed = "Unclosed tag: " + Name;
  pos += 2;
  const int endNameEnd = FindFirstOf(text, kAttrNameDelims, pos);
  if (endNameEnd == 0 || AsciiUpper(Slice(text, pos, endNameEnd)) != Name) {
    Error(unclosed, endStart);
  }
  pos = SkipBlanks(text, endNameEnd);
  if (At(text, pos) != '>') Error(unclosed, endStart);
  ++pos;
  ParsePos = pos;
  return pos;
}

void TKelPigger::WriteTo(std::string& out) const {
  if (Name.empty()) return;
  out += Indent;
  out += '<';
  out += Name;
  for (size_t i = 0; i < AttrNames.size(); ++i) {
    out += ' ';
    out += AttrNames[i];
    out += "=\"";
    out += EscapeText(AttrValues[i]);
    out += '"';
  }
  if (children_.empty() && Text.empty()) {
    out += "/>";
    return;
  }
  out += '>';
  out += EscapeText(Text);
  for (const TKelPigger* child : children_) child->WriteTo(out);
  out += Indent;
  out += "</";
  out += Name;
  out += '>';
}

std::string TKelPigger::SaveToText() const {
  std::string out;
  WriteTo(out);
  return out;
}

void TKelPigger::LoadFromStream(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string text;
  text.reserve(bytes.size() + 2);
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", i);
    text.append(bytes.substr(i, end == std::string_view::npos ? end : end - i));
    text += kCrLf;
    if (end == std::string_view::npos) break;
    i = end + 1;
    if (bytes[end] == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
  }
  LoadFromText(text);
}

void TKelPigger::LoadFromFile(const std::string& fileName) {
  LoadFromStream(ReadWholeFile(fileName));
}

void TKelPigger::SaveToFile(const std::string& fileName) const {
  WriteFileAtomically(fileName, SaveToText());
}

}  // namespace vx
