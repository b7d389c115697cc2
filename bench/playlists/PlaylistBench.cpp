// Showing a play list of 10,000 entries and saving it back, against the same SELECT and INSERTs run
// bare through QSqlQuery (in one transaction too) on the same catalogue.
#include "panes/BenchSupport.h"

#include "playlists/TListDetailModel.h"
#include "playlists/TPlaylistStore.h"
#include "store/TCatalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr int kEntries = 10000;
TCatalogue* g_catalogue = nullptr;
QString g_list;
QList<QByteArray> g_paths;

void fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", what.toLocal8Bit().constData());
    std::exit(1);
}

// The delivered tables in a fresh file, made from the same script the build uses.
void makeCatalogue(const QByteArray& folder)
{
    QFile sql(QStringLiteral(MELVANE_CATALOGUE_SQL));
    if (!sql.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no catalogue script"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(QFile::decodeName(TCatalogue::FilePath(folder)));
        if (!db.open())
            fail(db.lastError().text());
        for (const QString& statement : QString::fromUtf8(sql.readAll()).split(u';')) {
            QString text = statement;
            while (text.trimmed().startsWith(QStringLiteral("--")))
                text = text.section(u'\n', 1);
            if (text.trimmed().isEmpty())
                continue;
            QSqlQuery q(db);
            if (!q.exec(text))
                fail(q.lastError().text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
}

void BM_BareQueries(benchmark::State& state)
{
    const QSqlDatabase db = g_catalogue->Database();
    for (auto _ : state) {
        QStringList names;
        QSqlQuery select(db);
        select.setForwardOnly(true);
        select.prepare(QStringLiteral("select filename from listdetail where id = ? order by [order]"));
        select.addBindValue(g_list);
        select.exec();
        while (select.next())
            names.append(select.value(0).toString());
        select.finish();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        q.prepare(QStringLiteral("delete from listdetail where id = ?"));
        q.addBindValue(g_list);
        q.exec();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into listdetail (id, filename, [order]) values (?, ?, ?)"));
        for (int k = 0; k < names.size(); ++k) {
            insert.bindValue(0, g_list);
            insert.bindValue(1, names[k]);
            insert.bindValue(2, k);
            insert.exec();
        }
        q.exec(QStringLiteral("COMMIT"));
        benchmark::DoNotOptimize(names.size());
    }
}

void BM_ShowAndSave(benchmark::State& state)
{
    TPlaylistStore store(g_catalogue->Database());
    TListDetailModel view;
    for (auto _ : state) {
        auto read = store.Entries(g_list);
        view.SetPaths(std::move(read.value));
        if (!store.SaveEntries(g_list, view.Paths()).ok)
            fail(QStringLiteral("save failed"));
        benchmark::DoNotOptimize(view.Count());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/";
    makeCatalogue(folder);
    TCatalogue catalogue;
    if (!catalogue.Open(folder))
        fail(catalogue.LastError());
    g_catalogue = &catalogue;
    TPlaylistStore store(catalogue.Database());
    g_list = store.InsertList(QStringLiteral("bench"), QString()).value;
    for (int i = 0; i < kEntries; ++i)
        g_paths.append("/home/user/音乐/专辑 " + QByteArray::number(i % 50) + "/第" + QByteArray::number(i) + "首.mp3");
    if (!store.SaveEntries(g_list, g_paths).ok)
        fail(QStringLiteral("could not fill the list"));
    return RunPairedRounds(argc, argv, "bare_queries", BM_BareQueries, "show_and_save", BM_ShowAndSave, 1.5);
}
