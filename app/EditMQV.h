#pragma once

#include <QMainWindow>

class TMQVEdit : public QMainWindow {
    Q_OBJECT
public:
    explicit TMQVEdit(QWidget *parent = nullptr);
};
