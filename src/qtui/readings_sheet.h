#pragma once

#include <QWidget>

#include "views/readings_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The Analysis window's "From readings" sheet: the couplers' forward and reflected readings
// in, the ranges of the truth they allow out, recomputed as the user types.
namespace qtui {

class MainWindow;

class ReadingsSheet : public QWidget {
  Q_OBJECT

 public:
  explicit ReadingsSheet(MainWindow& window);

  views::ReadingsInputs Inputs() const;
  // Shows these inputs (a case opened) and recomputes once.
  void SetInputs(const views::ReadingsInputs& in);
  // Takes the directivity (or ideal couplers) from the main window.
  void TakeCouplersFromMain();

  QLineEdit* Forward() const { return forward_; }
  QComboBox* ForwardUnit() const { return forwardUnit_; }
  QLineEdit* Reflected() const { return reflected_; }
  QComboBox* ReflectedUnit() const { return reflectedUnit_; }
  QCheckBox* Ideal() const { return ideal_; }
  QLineEdit* Directivity() const { return directivity_; }
  QPushButton* FromMain() const { return fromMain_; }
  QLabel* Message() const { return message_; }
  QTableWidget* Table() const { return table_; }

 Q_SIGNALS:
  // The readings or the couplers changed: a budget of them is out of date.
  void inputsChanged();

 private:
  void Recompute();

  MainWindow& window_;
  QLineEdit* forward_ = nullptr;
  QComboBox* forwardUnit_ = nullptr;
  QLineEdit* reflected_ = nullptr;
  QComboBox* reflectedUnit_ = nullptr;
  QCheckBox* ideal_ = nullptr;
  QLineEdit* directivity_ = nullptr;
  QPushButton* fromMain_ = nullptr;
  QLabel* message_ = nullptr;
  QTableWidget* table_ = nullptr;
};

}  // namespace qtui
