#pragma once

#include <QDialog>
#include <QList>

#include <functional>

class IMsgDlg;
class QItemSelectionModel;
class QListWidget;
class QProgressBar;
class QPushButton;
class TListDetailModel;

// The check of the current list for entries whose file is gone. It works through the entry view's rows
// in short batches on the UI thread, so the gauge repaints and closing the dialog stops the scan.
class TwinListScan final : public QDialog {
    Q_OBJECT

public:
    // removeRows takes the missing rows out of the view and writes the list back.
    TwinListScan(const TListDetailModel& entries, QItemSelectionModel& selection, IMsgDlg& msg,
                 std::function<void(const QList<int>&)> removeRows, QWidget* parent = nullptr);

    QProgressBar* Gauge() const { return gauge_; }
    QListWidget* lbResult() const { return lbResult_; }
    QPushButton* btnDelete() const { return btnDelete_; }
    QPushButton* btnScan() const { return btnScan_; }
    QPushButton* btnClose() const { return btnClose_; }
    bool Scanning() const { return scanning_; }

    void btnScanClick();
    void btnDeleteClick();
    void btnCloseClick();

protected:
    void reject() override;

private:
    void scanBatch();
    void finishScan();

    const TListDetailModel& entries_;
    QItemSelectionModel& selection_;
    IMsgDlg& msg_;
    std::function<void(const QList<int>&)> removeRows_;
    QList<int> missing_;
    int next_ = 0;
    bool scanning_ = false;

    QProgressBar* gauge_ = nullptr;
    QListWidget* lbResult_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnScan_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};
