#include "FloatingList.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace rv {

namespace {

class ListUnderEdit : public QObject {
public:
    ListUnderEdit(QLineEdit *edit, QListWidget *list) : QObject(list), m_edit(edit), m_list(list)
    {
        list->installEventFilter(this);
        for (QWidget *w = edit; w && w != list->parentWidget(); w = w->parentWidget())
            w->installEventFilter(this);
        list->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (watched == m_list ? t == QEvent::Show
                              : (t == QEvent::Move || t == QEvent::Resize) && m_list->isVisible())
            place();
        return false;
    }

private:
    void place()
    {
        QWidget *host = m_list->parentWidget();
        const QPoint top = m_edit->mapTo(host, QPoint(0, 0));
        const int width = std::min(std::max(m_edit->width(), 260), host->width());
        const int x = std::clamp(top.x(), 0, std::max(0, host->width() - width));
        const int below = top.y() + m_edit->height();
        int height = 220;
        int y = below;
        if (below + height > host->height()) {
            if (top.y() - height >= 0)
                y = top.y() - height;
            else
                height = std::max(80, host->height() - below);
        }
        m_list->setGeometry(x, y, width, height);
        m_list->raise();
    }

    QLineEdit *m_edit;
    QListWidget *m_list;
};

} // namespace

void floatUnderEdit(QLineEdit *edit, QListWidget *list)
{
    new ListUnderEdit(edit, list);
}

} // namespace rv
