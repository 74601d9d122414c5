#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>

namespace corvanta {

// A control made as a child of `parent` and named, so that tests and the toolkit find
// it by its name; extra arguments go to its constructor before the parent.
template <class W, class... Args>
W* createNamed(QWidget* parent, const QString& name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    return widget;
}

// The same, placed at `geometry` in its parent.
template <class W, class... Args>
W* placeNamed(QWidget* parent, const QString& name, const QRect& geometry, Args&&... args) {
    W* widget = createNamed<W>(parent, name, std::forward<Args>(args)...);
    widget->setGeometry(geometry);
    return widget;
}

}  // namespace corvanta
