#pragma once
// The property-list document model with its line-by-line XML reader and
// writer. A document, `plist`, owns a tree of nodes, `plistDict`; every value
// is text with a type name beside it. No operation throws: failures are recorded on the
// owning document (`error`, `errorMessage`) and the call returns a neutral value.
//
// Files: PlistModel.cpp (node values, containers, iteration), PlistDocument.cpp (the
// document and its errors), PlistReader.cpp (Load), PlistWriter.cpp (Save, Write).
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QTextStream;
class plist;
class PlistLineStream;

class plistDict {
 public:
  // An empty dictionary node that belongs to no document (errors then go nowhere).
  plistDict();
  ~plistDict();
  plistDict(const plistDict&) = delete;
  plistDict& operator=(const plistDict&) = delete;

  // ---- Reading scalars ----
  // The value text; empty with "Key <key> does not exist" when the key has no value
  // (absent, or a container). Clears the error first.
  QString GetValue(const QString& key);
  QString GetString(const QString& key) { return GetValue(key); }
  QString GetData(const QString& key) { return GetValue(key); }  // the Base64 text
  // The key's type name; empty when the key is absent.
  QString GetType(const QString& key) const;
  // False with "Illegal Type: <key> is a <type>" for "dict" and "array"; true otherwise.
  // Does not clear an earlier error.
  bool TypeOK(const QString& key);
  // The value as a number truncated toward zero; 0 for text that is not a number, -1
  // with "Type Mismatch: <key> is a date" for a date.
  int GetInteger(const QString& key);
  double GetDouble(const QString& key);
  // True exactly when the type is "boolean" and the value is "true" (any case); a key of
  // another type (or absent) gives false with "Type Mismatch: <key> is a <type>".
  // Does not clear an earlier error.
  bool GetBoolean(const QString& key);
  // Invalid (no date) when TypeOK fails. Missing time parts count as 0.
  QDateTime GetDate(const QString& key);

  // ---- Writing scalars; each asks CheckType first and stores nothing on 0 ----
  void SetString(const QString& key, const QString& value);
  void SetInteger(const QString& key, qint64 value);
  void SetDouble(const QString& key, double value);
  void SetBoolean(const QString& key, bool value);
  void SetData(const QString& key, const QString& base64);
  void SetDate(const QString& key, const QDateTime& value);
  // 2: the key is absent; 1: it has the wanted type; 0: another type, with the error
  // "Type Mismatch: <key> is a <type>". Clears the error first.
  int CheckType(const QString& key, const QString& wantedType);
  // The number in decimal, "0" in front when it is below 10.
  static QString MakeTwo(int number);

  // ---- Containers ----
  // Adds an empty nested dictionary; "Child exists: <key> already exists" when taken.
  void AddChild(const QString& key);
  // Adds an empty nested array; "Array exists: <key> already exists" (and false) when taken.
  bool AddArray(const QString& key);
  // True for an array node; otherwise "Not an array" and false. Clears the error first.
  bool CheckArray();
  void AppendString(const QString& value);
  void AppendInteger(qint64 value);
  void AppendDouble(double value);
  void AppendBoolean(bool value);
  void AppendData(const QString& base64);
  void AppendDate(const QDateTime& value);
  void AppendDict();
  void AppendArray();
  // Removes the element at an index of an array; later elements move down by one.
  // "Not an array" / "Subscript out of range" and no change on bad use.
  void Remove(int index);
  // Removes a key's value and type, and the last nested node of that name.
  void Remove(const QString& key);
  void Remove(const char* key) { Remove(QString::fromUtf8(key)); }

  // ---- Iteration, in the order in which keys were first set or read ----
  void MoveFirst();
  void MoveNext();
  void MoveLast();
  QString CurrentKey();
  bool eof() const { return eof_; }
  int currentIndex() const { return currentIndex_; }

  int count() const { return static_cast<int>(order_.size()); }
  // The first nested node whose name equals `name` (letter case ignored), or null.
  plistDict* child(const QString& name) const;
  // The nested node named by the number in decimal (an array's element), or null.
  plistDict* index(int number) const;

  // ---- Reading and writing the XML text ----
  // Makes this node the content read from `stream` (null, or read false: stays empty).
  void Load(PlistLineStream* stream, const QString& name, bool isArray, plistDict* parent,
            plist* document, bool read);
  // Writes this node's entries, each line indented by `depth` tabs.
  void Write(QTextStream& out, int depth) const;
  // The text without its leading control characters (codes below 32).
  static QString StripAll(const QString& text);

  // ---- Inspection ----
  const QString& name() const { return name_; }
  bool isArray() const { return isArray_; }
  int indexOf() const { return indexOf_; }
  plistDict* parent() const { return parent_; }
  plist* rootClass() const { return rootClass_; }
  // All keys in iteration order.
  const QStringList& keys() const { return order_; }
  bool contains(const QString& key) const { return types_.contains(key); }
  const QStringList& childrenNames() const { return childrenNames_; }

 private:
  void clearError();
  void setError(const QString& message);
  // Records key's type (appending the key to the iteration order when new) and value.
  void put(const QString& key, const QString& type, const QString& value);
  void putType(const QString& key, const QString& type);
  void dropKey(const QString& key);
  plistDict* addNode(const QString& key, bool array);
  plistDict* nestedForWrite(const QString& key) const;
  void appendScalar(const QString& type, const QString& value);
  void appendNode(bool array);
  int depth() const;

  QHash<QString, QString> values_;
  QHash<QString, QString> types_;
  QStringList order_;  // the iteration order of types_
  std::vector<std::unique_ptr<plistDict>> children_;
  QStringList childrenNames_;
  QString name_;
  int indexOf_ = -1;
  bool isArray_ = false;
  plistDict* parent_ = nullptr;
  plist* rootClass_ = nullptr;
  int currentIndex_ = 0;
  bool eof_ = false;
};

class plist {
 public:
  // Deeper nesting than this stops the reader, so a hostile file cannot exhaust the stack.
  static constexpr int kMaxNestingDepth = 100;

  // A new empty document bound to no file, with the standard header lines.
  plist();
  // Same as plist(file, file).
  explicit plist(const QString& file);
  // Reads `file` when it exists, else `fallback`; `savePath` is always `file`.
  plist(const QString& file, const QString& fallback);
  plist(const plist&) = delete;
  plist& operator=(const plist&) = delete;
  ~plist();

  void Load(const QString& file, const QString& fallback);
  // Reads a document from the text of a file (UTF-8), as Load does once it has the file.
  void LoadText(const QByteArray& utf8);
  // Writes the document to `savePath` atomically, owner-only (0600). On failure records
  // "Could not open file for saving", leaves the file on disk as it was, returns false.
  bool Save();

  plistDict& root() { return *root_; }
  const plistDict& root() const { return *root_; }

  // The four header lines of a new document.
  static QStringList standardHeaders();
  // The whole file text that Save writes.
  QString text() const;

  void clearError();
  void setError(const QString& message);

  bool error = false;
  QString errorMessage;
  QString savePath;
  QStringList headers;

 private:
  void newRoot(PlistLineStream* stream);
  std::unique_ptr<plistDict> root_;
};
