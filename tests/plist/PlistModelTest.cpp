// The document model: messages, type rules, removal, iteration.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "plist/Plist.h"

namespace {

// A document whose root holds one entry of each kind.
struct Sample {
  plist doc;
  plistDict& root = doc.root();
  Sample() {
    root.SetString("s", "hello");
    root.SetBoolean("b", true);
    root.SetInteger("n", 8080);
    root.AddChild("d");
    root.AddArray("a");
    root.child("a")->AppendString("zero");
    root.child("a")->AppendString("one");
    root.child("a")->AppendString("two");
    root.SetDate("dt", QDateTime(QDate(2004, 3, 5), QTime(7, 8, 9)));
    root.SetString("notadate", "tomorrow");
    root.SetString("dtxt", "x");
  }
};

struct MessageCase {
  const char* what;
  std::function<void(Sample&)> act;
  QString message;  // empty: no error
};

TEST(PlistModel, ErrorMessagesAreExact) {
  const std::vector<MessageCase> cases = {
      {"GetBoolean absent", [](Sample& s) { EXPECT_FALSE(s.root.GetBoolean("missing")); },
       "Type Mismatch: missing is a "},
      {"GetString absent", [](Sample& s) { EXPECT_EQ(s.root.GetString("missing"), ""); },
       "Key missing does not exist"},
      {"GetInteger absent", [](Sample& s) { EXPECT_EQ(s.root.GetInteger("missing"), 0); },
       "Key missing does not exist"},
      {"GetBoolean on string", [](Sample& s) { EXPECT_FALSE(s.root.GetBoolean("s")); },
       "Type Mismatch: s is a string"},
      {"SetString on boolean",
       [](Sample& s) {
         s.root.SetString("b", "x");
         EXPECT_EQ(s.root.GetType("b"), "boolean");
       },
       "Type Mismatch: b is a boolean"},
      {"GetString on dict", [](Sample& s) { EXPECT_EQ(s.root.GetString("d"), ""); },
       "Key d does not exist"},
      {"GetInteger on dict", [](Sample& s) { EXPECT_EQ(s.root.GetInteger("d"), 0); },
       "Illegal Type: d is a dict"},
      {"TypeOK on array", [](Sample& s) { EXPECT_FALSE(s.root.TypeOK("a")); },
       "Illegal Type: a is a array"},
      {"GetInteger on date", [](Sample& s) { EXPECT_EQ(s.root.GetInteger("dt"), -1); },
       "Type Mismatch: dt is a date"},
      {"GetDouble on date", [](Sample& s) { EXPECT_EQ(s.root.GetDouble("dt"), -1.0); },
       "Type Mismatch: dt is a date"},
      {"CheckType other type", [](Sample& s) { EXPECT_EQ(s.root.CheckType("n", "string"), 0); },
       "Type Mismatch: n is a integer"},
      {"AppendString on dict", [](Sample& s) { s.root.AppendString("x"); }, "Not an array"},
      {"AppendDict on dict", [](Sample& s) { s.root.AppendDict(); }, "Not an array"},
      {"CheckArray on dict", [](Sample& s) { EXPECT_FALSE(s.root.CheckArray()); },
       "Not an array"},
      {"AddChild taken", [](Sample& s) { s.root.AddChild("s"); }, "Child exists: s already exists"},
      {"AddArray taken", [](Sample& s) { EXPECT_FALSE(s.root.AddArray("d")); },
       "Array exists: d already exists"},
      {"Remove index on dict", [](Sample& s) { s.root.Remove(0); }, "Not an array"},
      {"Remove index too high",
       [](Sample& s) {
         s.root.child("a")->Remove(3);
         EXPECT_EQ(s.root.child("a")->count(), 3);
       },
       "Subscript out of range"},
      {"Remove index negative", [](Sample& s) { s.root.child("a")->Remove(-1); },
       "Subscript out of range"},
      {"GetDate unparsable",
       [](Sample& s) { EXPECT_TRUE(s.root.GetDate("notadate").isValid()); },
       "Could not create date object from notadate(tomorrow)"},
      {"GetDate on dict", [](Sample& s) { EXPECT_FALSE(s.root.GetDate("d").isValid()); },
       "Illegal Type: d is a dict"},
      {"GetString fine", [](Sample& s) { EXPECT_EQ(s.root.GetString("s"), "hello"); }, ""},
      {"CheckType absent", [](Sample& s) { EXPECT_EQ(s.root.CheckType("new", "string"), 2); }, ""},
      {"CheckType same", [](Sample& s) { EXPECT_EQ(s.root.CheckType("s", "string"), 1); }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Sample s;
    s.doc.setError("earlier");
    c.act(s);
    EXPECT_EQ(s.doc.error, !c.message.isEmpty());
    if (!c.message.isEmpty()) {
      EXPECT_EQ(s.doc.errorMessage, c.message);
    }
  }
}

TEST(PlistModel, GetBooleanAndTypeOKKeepAnEarlierError) {
  Sample s;
  s.root.GetString("missing");
  EXPECT_TRUE(s.root.GetBoolean("b"));
  EXPECT_TRUE(s.root.TypeOK("s"));
  EXPECT_TRUE(s.doc.error);
  EXPECT_EQ(s.doc.errorMessage, "Key missing does not exist");
  EXPECT_EQ(s.root.GetString("s"), "hello");  // a clearing call
  EXPECT_FALSE(s.doc.error);
}

TEST(PlistModel, GetIntegerAndDoubleConvertTheText) {
  const struct {
    QString text;
    int integer;
    double real;
  } rows[] = {
      {"8080", 8080, 8080}, {"20.9", 20, 20.9},    {"-3.7", -3, -3.7},   {"abc", 0, 0},
      {"", 0, 0},           {"12abc", 12, 12},     {"1e3", 1000, 1000},  {"+5", 5, 5},
      {" 7", 7, 7},         {"99999999999", INT_MAX, 99999999999.0}, {"-1e99", INT_MIN, -1e99},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text.toStdString());
    plist doc;
    doc.root().SetString("k", r.text);
    EXPECT_EQ(doc.root().GetInteger("k"), r.integer);
    EXPECT_DOUBLE_EQ(doc.root().GetDouble("k"), r.real);
  }
}

TEST(PlistModel, SettersStoreTheDocumentedText) {
  plist doc;
  plistDict& d = doc.root();
  d.SetInteger("i", 8080);
  d.SetDouble("whole", 3.0);
  d.SetDouble("half", 2.5);
  d.SetBoolean("t", true);
  d.SetBoolean("f", false);
  d.SetData("data", "QUJD");
  d.SetDate("when", QDateTime(QDate(2004, 3, 5), QTime(7, 8, 9)));
  d.SetDate("late", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)));
  const struct {
    const char* key;
    const char* type;
    const char* value;
  } rows[] = {
      {"i", "integer", "8080"},   {"whole", "double", "3"},   {"half", "double", "2.5"},
      {"t", "boolean", "true"},   {"f", "boolean", "false"},  {"data", "data", "QUJD"},
      {"when", "date", "2004-03-05T07:08:09Z"},               {"late", "date", "1999-12-31T23:59:58Z"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.key);
    EXPECT_EQ(d.GetType(r.key), r.type);
    if (QString(r.type) != "date") {
      EXPECT_EQ(d.GetValue(r.key), r.value);
    }
  }
  EXPECT_EQ(doc.text().count("2004-03-05T07:08:09Z"), 1);
  EXPECT_EQ(d.GetType("absent"), "");
  EXPECT_EQ(plistDict::MakeTwo(7), "07");
  EXPECT_EQ(plistDict::MakeTwo(0), "00");
  EXPECT_EQ(plistDict::MakeTwo(10), "10");
  EXPECT_EQ(plistDict::MakeTwo(59), "59");
  // Same type: overwritten in place.
  d.SetInteger("i", 9);
  EXPECT_EQ(d.GetInteger("i"), 9);
  EXPECT_EQ(d.keys().first(), "i");
}

TEST(PlistModel, GetDateReadsAllPartsAndStaysInBoundsWithoutThem) {
  plist doc;
  plistDict& d = doc.root();
  d.SetDate("full", QDateTime(QDate(2004, 3, 5), QTime(7, 8, 9)));
  EXPECT_EQ(d.GetDate("full"), QDateTime(QDate(2004, 3, 5), QTime(7, 8, 9)));
  const struct {
    const char* value;
    QTime time;
  } rows[] = {
      {"2004-03-05T07", QTime(7, 0, 0)},       // the design indexed the missing parts
      {"2004-03-05T07:08", QTime(7, 8, 0)},
      {"2004-03-05T07:08:09Z", QTime(7, 8, 9)},
      {"2004-03-05TZ", QTime(0, 0, 0)},
      {"2004-03-05T", QTime(0, 0, 0)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.value);
    doc.root().Remove("x");
    // A date-typed entry as a file gives it.
    d.SetString("x", r.value);
    const QDateTime got = d.GetDate("x");
    EXPECT_FALSE(doc.error);
    EXPECT_EQ(got.date(), QDate(2004, 3, 5));
    EXPECT_EQ(got.time(), r.time);
  }
  d.SetString("dateonly", "2010-01-02");
  EXPECT_EQ(d.GetDate("dateonly").date(), QDate(2010, 1, 2));
}

TEST(PlistModel, RemoveByIndexRenumbersTheLaterElements) {
  plist doc;
  doc.root().AddArray("a");
  plistDict& a = *doc.root().child("a");
  a.AppendString("first");
  a.AppendDict();
  a.AppendString("third");
  a.index(1)->SetString("inner", "v");
  a.AppendArray();
  a.index(3)->AppendInteger(42);

  a.Remove(1);
  EXPECT_FALSE(doc.error);
  ASSERT_EQ(a.count(), 3);
  EXPECT_EQ(a.keys(), QStringList({"0", "1", "2"}));
  EXPECT_EQ(a.GetString("0"), "first");
  EXPECT_EQ(a.GetString("1"), "third");
  EXPECT_EQ(a.GetType("2"), "array");
  ASSERT_NE(a.index(2), nullptr);
  EXPECT_EQ(a.index(2)->name(), "2");
  EXPECT_EQ(a.index(2)->GetInteger("0"), 42);
  EXPECT_EQ(a.index(3), nullptr);
  EXPECT_EQ(a.childrenNames(), QStringList({"2"}));

  // Removal renumbers: index 1 of three leaves "0" and "1", the old 2 now at 1.
  plist doc2;
  doc2.root().AddArray("b");
  plistDict& b = *doc2.root().child("b");
  for (const char* v : {"x", "y", "z"}) b.AppendString(v);
  b.Remove(1);
  EXPECT_EQ(b.keys(), QStringList({"0", "1"}));
  EXPECT_EQ(b.GetString("1"), "z");
  b.AppendString("w");  // continues at the entry count
  EXPECT_EQ(b.GetString("2"), "w");
  EXPECT_EQ(b.indexOf(), 2);
}

TEST(PlistModel, RemoveByKey) {
  Sample s;
  s.root.Remove("s");
  EXPECT_FALSE(s.root.contains("s"));
  s.root.Remove("d");
  EXPECT_EQ(s.root.child("d"), nullptr);
  EXPECT_FALSE(s.root.contains("d"));
  const int before = s.root.count();
  s.root.Remove("nothing");
  EXPECT_EQ(s.root.count(), before);
  s.root.SetInteger("s", 5);  // the key is free for any type again
  EXPECT_EQ(s.root.GetType("s"), "integer");
}

TEST(PlistModel, ContainersBelongToTheDocument) {
  plist doc;
  doc.root().AddChild("Outer");
  plistDict* outer = doc.root().child("outer");  // letter case ignored
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->name(), "Outer");
  EXPECT_EQ(outer->parent(), &doc.root());
  EXPECT_EQ(outer->rootClass(), &doc);
  EXPECT_FALSE(outer->isArray());
  EXPECT_EQ(outer->indexOf(), -1);
  outer->GetString("nope");  // errors land on the document
  EXPECT_EQ(doc.errorMessage, "Key nope does not exist");
  EXPECT_TRUE(doc.root().AddArray("list"));
  plistDict* list = doc.root().child("list");
  list->AppendBoolean(true);
  list->AppendInteger(7);
  list->AppendDouble(1.5);
  list->AppendData("QQ==");
  list->AppendDate(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
  list->AppendArray();
  const QStringList types = {"boolean", "integer", "double", "data", "date", "array"};
  for (int i = 0; i < types.size(); ++i) EXPECT_EQ(list->GetType(QString::number(i)), types[i]);
  EXPECT_EQ(list->index(5)->isArray(), true);
  EXPECT_EQ(list->indexOf(), 5);
  EXPECT_EQ(doc.root().GetType("Outer"), "dict");
}

TEST(PlistModel, IterationFollowsInsertionOrder) {
  plist doc;
  plistDict& d = doc.root();
  for (const char* k : {"zeta", "alpha", "mid"}) d.SetString(k, k);
  QStringList seen;
  d.MoveFirst();
  while (!d.eof()) {
    const QString k = d.CurrentKey();
    if (d.eof()) break;
    seen << k;
    d.MoveNext();
  }
  EXPECT_EQ(seen, QStringList({"zeta", "alpha", "mid"}));
  EXPECT_EQ(d.currentIndex(), 0);
  d.MoveFirst();
  d.MoveLast();
  EXPECT_EQ(d.CurrentKey(), "mid");
  EXPECT_FALSE(d.eof());
}

TEST(PlistModel, EmptyNodeIterationStaysInBounds) {
  plist doc;
  plistDict& d = doc.root();
  d.MoveFirst();
  EXPECT_EQ(d.CurrentKey(), "");
  EXPECT_TRUE(d.eof());
  EXPECT_EQ(d.currentIndex(), 0);
  // MoveLast on an empty node: the design set the cursor to -1.
  d.MoveFirst();
  d.MoveLast();
  EXPECT_EQ(d.currentIndex(), 0);
  EXPECT_FALSE(d.eof());
  EXPECT_EQ(d.CurrentKey(), "");
  EXPECT_TRUE(d.eof());
}

TEST(PlistModel, BareNodeWorksWithoutADocument) {
  plistDict bare;
  bare.SetString("a", "b");
  EXPECT_EQ(bare.GetString("missing"), "");
  EXPECT_EQ(bare.GetString("a"), "b");
  bare.AppendString("x");  // refused quietly
  EXPECT_EQ(bare.count(), 1);
}

}  // namespace
