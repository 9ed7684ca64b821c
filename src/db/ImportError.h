#pragma once
// A failure that ends an import or reload on its general path:
// "Error " + number + ":" + message + " loading database.".
#include <QString>
#include <stdexcept>

namespace db {

class ImportError : public std::runtime_error {
 public:
  ImportError(int number, const QString& message)
      : std::runtime_error(message.toStdString()), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

}  // namespace db
