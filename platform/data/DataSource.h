#pragma once

#include <QObject>
#include <functional>
#include <map>

class TIBCustomDataSet;

// What happened to a data set, as its data sources report it.
enum class TDataEvent { Opened, Closed, Moved, LayoutChanged };

// Links a data set to the controls that show it: every opening, closing,
// move of the current row and change of the field titles reaches each
// observer.
class TDataSource : public QObject {
  public:
    explicit TDataSource(QObject* owner = nullptr);
    ~TDataSource() override;

    TIBCustomDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TIBCustomDataSet* dataSet);

    using Observer = std::function<void(TDataEvent)>;
    int AddObserver(Observer observer);
    void RemoveObserver(int id);

    // Called by the linked data set.
    void Notify(TDataEvent event);
    void DataSetDestroyed();

  private:
    TIBCustomDataSet* dataSet_ = nullptr;
    std::map<int, Observer> observers_;
    int nextId_ = 1;
};
