// The node operations: typed getters and setters, containers, removal and
// iteration. Errors go to the owning document, never thrown.
#include <QTime>
#include <algorithm>
#include <cmath>
#include <limits>

#include "plist/Plist.h"

namespace {

bool isContainer(const QString& type) {
  return type.compare(u"dict", Qt::CaseInsensitive) == 0 ||
         type.compare(u"array", Qt::CaseInsensitive) == 0;
}

bool isType(const QString& type, QStringView wanted) {
  return type.compare(wanted, Qt::CaseInsensitive) == 0;
}

// The leading number of a text, as the platform's text-to-number conversion reads it:
// optional blanks and sign, digits with an optional fraction and exponent. No number: 0.
double leadingNumber(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && text[i] == u' ') ++i;
  const qsizetype start = i;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  qsizetype digits = 0;
  while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
  if (i < n && text[i] == u'.') {
    ++i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype j = i + 1;
    if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
    if (j < n && text[j].isDigit() && text[j].unicode() < 128) {
      while (j < n && text[j].isDigit() && text[j].unicode() < 128) ++j;
      i = j;
    }
  }
  bool ok = false;
  const double value = text.mid(start, i - start).toDouble(&ok);
  return ok ? value : 0;
}

QString numberText(double value) {
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString dateText(const QDateTime& when) {
  const QDate d = when.date();
  const QTime t = when.time();
  return QString::number(d.year()) + "-" + plistDict::MakeTwo(d.month()) + "-" +
         plistDict::MakeTwo(d.day()) + "T" + plistDict::MakeTwo(t.hour()) + ":" +
         plistDict::MakeTwo(t.minute()) + ":" + plistDict::MakeTwo(t.second()) + "Z";
}

}  // namespace

plistDict::plistDict() = default;
plistDict::~plistDict() = default;

void plistDict::clearError() {
  if (rootClass_) rootClass_->clearError();
}

void plistDict::setError(const QString& message) {
  if (rootClass_) rootClass_->setError(message);
}

void plistDict::putType(const QString& key, const QString& type) {
  auto it = types_.find(key);
  if (it == types_.end()) {
    types_.insert(key, type);
    order_.append(key);
  } else {
    *it = type;
  }
}

void plistDict::put(const QString& key, const QString& type, const QString& value) {
  putType(key, type);
  values_.insert(key, value);
}

void plistDict::dropKey(const QString& key) {
  if (types_.remove(key) > 0) order_.removeOne(key);
  values_.remove(key);
}

// ---- Reading ----

QString plistDict::GetValue(const QString& key) {
  clearError();
  auto it = values_.constFind(key);
  if (it == values_.constEnd()) {
    setError("Key " + key + " does not exist");
    return {};
  }
  return TypeOK(key) ? *it : QString();
}

QString plistDict::GetType(const QString& key) const { return types_.value(key); }

bool plistDict::TypeOK(const QString& key) {
  const QString type = GetType(key);
  if (isContainer(type)) {
    setError("Illegal Type: " + key + " is a " + type);
    return false;
  }
  return true;
}

int plistDict::GetInteger(const QString& key) {
  if (!TypeOK(key)) return 0;
  if (isType(GetType(key), u"date")) {
    setError("Type Mismatch: " + key + " is a date");
    return -1;
  }
  const double value = std::trunc(leadingNumber(GetValue(key)));
  constexpr double lo = std::numeric_limits<int>::min();
  constexpr double hi = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, lo, hi));
}

double plistDict::GetDouble(const QString& key) {
  if (!TypeOK(key)) return 0;
  if (isType(GetType(key), u"date")) {
    setError("Type Mismatch: " + key + " is a date");
    return -1;
  }
  return leadingNumber(GetValue(key));
}

bool plistDict::GetBoolean(const QString& key) {
  const QString type = GetType(key);
  if (!isType(type, u"boolean")) {
    setError("Type Mismatch: " + key + " is a " + type);
    return false;
  }
  return values_.value(key).compare(u"true", Qt::CaseInsensitive) == 0;
}

QDateTime plistDict::GetDate(const QString& key) {
  if (!TypeOK(key)) return {};
  const QString value = GetValue(key);
  QDateTime result = QDateTime::currentDateTime();
  const qsizetype t = value.indexOf(u'T', 0, Qt::CaseInsensitive);
  const QDate date = QDate::fromString(t < 0 ? value : value.left(t), Qt::ISODate);
  if (!date.isValid()) {
    setError("Could not create date object from " + key + "(" + value + ")");
    return result;
  }
  if (t < 0) {
    result.setDate(date);
    return result;
  }
  QString time = value.mid(t + 1);
  if (time.endsWith(u'Z', Qt::CaseInsensitive)) time.chop(1);
  // Each part read as a number; a part that is missing counts as 0 (the design indexed
  // past the end). Out-of-range parts roll over, as the platform's date fields do.
  const QStringList parts = time.split(u':');
  auto part = [&](int i) {
    const double v = i < parts.size() ? std::trunc(leadingNumber(parts[i])) : 0;
    return static_cast<qint64>(std::clamp(v, -1e9, 1e9));
  };
  const qint64 seconds = part(0) * 3600 + part(1) * 60 + part(2);
  return QDateTime(date, QTime(0, 0)).addSecs(seconds);
}

// ---- Writing scalars ----

int plistDict::CheckType(const QString& key, const QString& wantedType) {
  clearError();
  auto it = types_.constFind(key);
  if (it == types_.constEnd()) return 2;
  if (*it == wantedType) return 1;
  setError("Type Mismatch: " + key + " is a " + *it);
  return 0;
}

QString plistDict::MakeTwo(int number) {
  return number < 10 ? "0" + QString::number(number) : QString::number(number);
}

void plistDict::SetString(const QString& key, const QString& value) {
  if (CheckType(key, "string") != 0) put(key, "string", value);
}

void plistDict::SetInteger(const QString& key, qint64 value) {
  if (CheckType(key, "integer") != 0) put(key, "integer", QString::number(value));
}

void plistDict::SetDouble(const QString& key, double value) {
  if (CheckType(key, "double") != 0) put(key, "double", numberText(value));
}

void plistDict::SetBoolean(const QString& key, bool value) {
  if (CheckType(key, "boolean") != 0) put(key, "boolean", value ? "true" : "false");
}

void plistDict::SetData(const QString& key, const QString& base64) {
  if (CheckType(key, "data") != 0) put(key, "data", base64);
}

void plistDict::SetDate(const QString& key, const QDateTime& value) {
  if (CheckType(key, "date") != 0) put(key, "date", dateText(value));
}

// ---- Containers ----

plistDict* plistDict::addNode(const QString& key, bool array) {
  putType(key, array ? "array" : "dict");
  auto node = std::make_unique<plistDict>();
  node->Load(nullptr, key, array, this, rootClass_, false);
  children_.push_back(std::move(node));
  childrenNames_.append(key);
  return children_.back().get();
}

void plistDict::AddChild(const QString& key) {
  clearError();
  if (types_.contains(key) || values_.contains(key)) {
    setError("Child exists: " + key + " already exists");
    return;
  }
  addNode(key, false);
}

bool plistDict::AddArray(const QString& key) {
  clearError();
  if (types_.contains(key) || values_.contains(key)) {
    setError("Array exists: " + key + " already exists");
    return false;
  }
  addNode(key, true);
  return true;
}

bool plistDict::CheckArray() {
  clearError();
  if (isArray_) return true;
  setError("Not an array");
  return false;
}

// The next index is the entry count, not indexOf + 1, so an array read from a file
// continues at the right index.
void plistDict::appendScalar(const QString& type, const QString& value) {
  if (!CheckArray()) return;
  const int next = count();
  put(QString::number(next), type, value);
  indexOf_ = next;
}

void plistDict::appendNode(bool array) {
  if (!CheckArray()) return;
  const int next = count();
  addNode(QString::number(next), array);
  indexOf_ = next;
}

void plistDict::AppendString(const QString& value) { appendScalar("string", value); }
void plistDict::AppendInteger(qint64 value) { appendScalar("integer", QString::number(value)); }
void plistDict::AppendDouble(double value) { appendScalar("double", numberText(value)); }
void plistDict::AppendBoolean(bool value) { appendScalar("boolean", value ? "true" : "false"); }
void plistDict::AppendData(const QString& base64) { appendScalar("data", base64); }
void plistDict::AppendDate(const QDateTime& value) { appendScalar("date", dateText(value)); }
void plistDict::AppendDict() { appendNode(false); }
void plistDict::AppendArray() { appendNode(true); }

void plistDict::Remove(int index) {
  if (!CheckArray()) return;
  const int n = count();
  if (index < 0 || index >= n) {
    setError("Subscript out of range");
    return;
  }
  auto dropChild = [this](const QString& name) {
    const qsizetype at = childrenNames_.lastIndexOf(name);
    if (at < 0) return;
    childrenNames_.removeAt(at);
    children_.erase(children_.begin() + at);
  };
  const QString gone = QString::number(index);
  if (isContainer(types_.value(gone))) dropChild(gone);
  types_.remove(gone);
  values_.remove(gone);
  // Every later element moves down by one: type, value and nested node's name.
  for (int i = index + 1; i < n; ++i) {
    const QString from = QString::number(i);
    const QString to = QString::number(i - 1);
    if (types_.contains(from)) types_.insert(to, types_.take(from));
    if (values_.contains(from)) values_.insert(to, values_.take(from));
    const qsizetype at = childrenNames_.lastIndexOf(from);
    if (at >= 0) {
      childrenNames_[at] = to;
      children_[at]->name_ = to;
    }
  }
  // Keys "0" .. "n-2" keep their places in the order; the vacated last one goes.
  order_.removeIf([this](const QString& k) { return !types_.contains(k); });
  if (currentIndex_ >= count()) currentIndex_ = 0;
}

void plistDict::Remove(const QString& key) {
  dropKey(key);
  const qsizetype at = childrenNames_.lastIndexOf(key);
  if (at >= 0) {
    childrenNames_.removeAt(at);
    children_.erase(children_.begin() + at);
  }
  if (currentIndex_ >= count()) currentIndex_ = 0;
}

// ---- Iteration ----

void plistDict::MoveFirst() {
  currentIndex_ = 0;
  eof_ = false;
}

void plistDict::MoveNext() {
  currentIndex_ += 1;
  if (currentIndex_ >= count()) {
    currentIndex_ = 0;
    eof_ = true;
  }
}

// On an empty node the cursor stays at 0 (the design set -1, out of bounds).
void plistDict::MoveLast() { currentIndex_ = std::max(0, count() - 1); }

QString plistDict::CurrentKey() {
  if (currentIndex_ < 0 || currentIndex_ >= count()) {
    eof_ = true;
    currentIndex_ = 0;
    return {};
  }
  return order_.at(currentIndex_);
}

plistDict* plistDict::child(const QString& name) const {
  for (size_t i = 0; i < children_.size(); ++i)
    if (childrenNames_.at(i).compare(name, Qt::CaseInsensitive) == 0) return children_[i].get();
  return nullptr;
}

plistDict* plistDict::index(int number) const {
  const qsizetype at = childrenNames_.indexOf(QString::number(number));
  return at < 0 ? nullptr : children_[at].get();
}

int plistDict::depth() const {
  int d = 1;
  for (const plistDict* p = parent_; p; p = p->parent_) ++d;
  return d;
}
