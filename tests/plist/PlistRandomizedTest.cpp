// The reader on mutated fixtures: no crash, the model's invariants hold, and whatever was
// read can be written and read again. QV_PLIST_RANDOM_RUNS sets the number of inputs
// (tools/fuzz-plist.sh runs 100,000 under AddressSanitizer; the suite runs fewer).
#include <gtest/gtest.h>

#include <QDir>

#include "PlistMutator.h"
#include "PlistTestUtil.h"
#include "plist/Plist.h"
#include "support/TestSupport.h"

namespace {

// An array's keys are exactly "0" .. count-1; every container key has its nested node.
void checkInvariants(plistDict& node, int depth) {
  ASSERT_LE(depth, plist::kMaxNestingDepth + 1);
  if (node.isArray()) {
    for (int i = 0; i < node.count(); ++i) ASSERT_EQ(node.keys()[i], QString::number(i));
  }
  for (const QString& key : node.keys()) {
    const QString type = node.GetType(key);
    if (type == "dict" || type == "array") {
      ASSERT_GE(node.childrenNames().lastIndexOf(key), 0) << key.toStdString();
    }
  }
  for (const QString& key : node.keys())
    if (node.GetType(key) == "dict" || node.GetType(key) == "array")
      if (plistDict* c = node.child(key)) checkInvariants(*c, depth + 1);
}

TEST(PlistRandomized, MutatedFixturesNeverBreakTheReader) {
  QList<QByteArray> seeds;
  const QDir dir(qvtest::sharedFixture("plist"));
  for (const QString& name : dir.entryList({"*.plist"}, QDir::Files, QDir::Name))
    seeds << plisttest::readAll(dir.filePath(name));
  ASSERT_FALSE(seeds.isEmpty());

  bool ok = false;
  int runs = qEnvironmentVariableIntValue("QV_PLIST_RANDOM_RUNS", &ok);
  if (!ok || runs <= 0) runs = 3000;
  std::mt19937 rng(20240611);
  for (int i = 0; i < runs; ++i) {
    const QByteArray& seed = seeds[static_cast<int>(rng() % seeds.size())];
    const QByteArray input = plisttest::mutate(seed, rng, 1 + static_cast<int>(rng() % 8));
    plist doc;
    doc.LoadText(input);
    checkInvariants(doc.root(), 1);
    // Iteration and lookups over what was read stay in bounds.
    plistDict& r = doc.root();
    r.MoveLast();
    for (r.MoveFirst(); !r.eof(); r.MoveNext()) {
      const QString key = r.CurrentKey();
      r.GetInteger(key);
      r.GetBoolean(key);
      r.GetDate(key);
    }
    plist again;
    again.LoadText(doc.text().toUtf8());
    checkInvariants(again.root(), 1);
    if (HasFatalFailure()) {
      ADD_FAILURE() << "input " << i << ":\n" << input.toStdString();
      return;
    }
  }
}

}  // namespace
