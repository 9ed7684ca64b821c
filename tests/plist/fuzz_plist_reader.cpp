// libFuzzer target for the property-list reader (and the writer behind it): any bytes as
// a file's text must read without a crash or a sanitizer report, and what was read must
// write and read again. Built and run by tools/fuzz-plist.sh.
//
// Built with -DQV_PLIST_MUTATION_DRIVER instead of -fsanitize=fuzzer, the same check runs
// from a main() over inputs mutated from the fixtures by PlistMutator.h (a fixed seed, so
// a failure can be replayed).
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "plist/Plist.h"

namespace {

void walk(plistDict& node, int depth) {
  if (depth > plist::kMaxNestingDepth + 1) __builtin_trap();
  if (node.isArray())
    for (int i = 0; i < node.count(); ++i)
      if (node.keys()[i] != QString::number(i)) __builtin_trap();
  node.MoveLast();
  for (node.MoveFirst(); !node.eof(); node.MoveNext()) {
    const QString key = node.CurrentKey();
    const QString type = node.GetType(key);
    node.GetValue(key);
    node.GetInteger(key);
    node.GetDouble(key);
    node.GetBoolean(key);
    // GetDate asks for the local time zone, slow under the sanitizers: date values only
    // (the model tests cover GetDate on other text).
    if (type == "date") node.GetDate(key);
    if (type == "dict" || type == "array") {
      plistDict* c = node.child(key);
      if (!c) __builtin_trap();
      walk(*c, depth + 1);
    }
  }
}

void check(const QByteArray& input) {
  plist doc;
  doc.LoadText(input);
  walk(doc.root(), 1);
  plist again;
  again.LoadText(doc.text().toUtf8());
  walk(again.root(), 1);
}

}  // namespace

#ifndef QV_PLIST_MUTATION_DRIVER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  check(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return 0;
}

#else

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#include "PlistMutator.h"

// usage: driver FIXTURE_DIR RUNS
int main(int argc, char** argv) {
  if (argc < 3) return 2;
  QList<QByteArray> seeds;
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  for (const QString& name : dir.entryList({"*.plist"}, QDir::Files, QDir::Name)) {
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::ReadOnly)) seeds << f.readAll();
  }
  if (seeds.isEmpty()) return 2;
  const long runs = std::atol(argv[2]);
  std::mt19937 rng(20240611);
  for (long i = 0; i < runs; ++i) {
    const QByteArray& seed = seeds[static_cast<int>(rng() % seeds.size())];
    check(plisttest::mutate(seed, rng, 1 + static_cast<int>(rng() % 8)));
    if ((i + 1) % 20000 == 0) std::printf("%ld inputs\n", i + 1);
  }
  std::printf("done: %ld mutated inputs from %lld fixtures, no crash\n", runs,
              static_cast<long long>(seeds.size()));
  return 0;
}

#endif
