#include "rules/ProblemListing.h"

#include "rules/CatalogueCheck.h"

QString ListedProblem::key() const
{
    QString text = problem.text();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QString::number(item) + QLatin1Char('\t') + problem.code() + QLatin1Char('\t') + text;
}

namespace ProblemListing {

QList<ListedProblem> of(const CatalogueReport &report)
{
    QList<ListedProblem> listed;
    for (const Problem &problem : report.problems)
        listed.append({0, QString(), problem});
    for (const ItemReport &item : report.items) {
        for (const QList<Problem> *found : {&item.problems, &item.warnings}) {
            for (const Problem &problem : *found)
                listed.append({item.number, item.title, problem});
        }
    }
    return listed;
}

} // namespace ProblemListing
