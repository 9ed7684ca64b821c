// The property-list document: its constructors, its root node and its error record.
#include "plist/Plist.h"
#include "plist/PlistLineStream.h"

plist::plist() {
  headers = standardHeaders();
  newRoot(nullptr);
}

plist::plist(const QString& file) : plist(file, file) {}

plist::plist(const QString& file, const QString& fallback) { Load(file, fallback); }

plist::~plist() = default;

QStringList plist::standardHeaders() {
  return {
      R"(<?xml version="1.0" encoding="UTF-8"?>)",
      R"(<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">)",
      R"(<plist version="1.0">)",
      "<dict>",
  };
}

void plist::clearError() {
  error = false;
  errorMessage.clear();
}

void plist::setError(const QString& message) {
  error = true;
  errorMessage = message;
}

// A fresh root belonging to this document; read from the stream when there is one.
void plist::newRoot(PlistLineStream* stream) {
  root_ = std::make_unique<plistDict>();
  root_->Load(stream, "root", false, nullptr, this, stream != nullptr);
}
