#include "platform/data/DataSource.h"

#include "platform/data/IBCustomDataSet.h"

TDataSource::TDataSource(QObject* owner) : QObject(owner) {}

TDataSource::~TDataSource() {
    if (dataSet_)
        dataSet_->RemoveDataSource(this);
}

void TDataSource::SetDataSet(TIBCustomDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    if (dataSet_)
        dataSet_->RemoveDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->AddDataSource(this);
    Notify(dataSet_ && dataSet_->Active() ? TDataEvent::Opened : TDataEvent::Closed);
}

int TDataSource::AddObserver(Observer observer) {
    const int id = nextId_++;
    observers_[id] = std::move(observer);
    return id;
}

void TDataSource::RemoveObserver(int id) {
    observers_.erase(id);
}

void TDataSource::Notify(TDataEvent event) {
    // An observer may remove itself, or others, while being told.
    int id = 0;
    for (auto it = observers_.upper_bound(id); it != observers_.end();
         it = observers_.upper_bound(id)) {
        id = it->first;
        const Observer observer = it->second;
        if (observer)
            observer(event);
    }
}

void TDataSource::DataSetDestroyed() {
    dataSet_ = nullptr;
    Notify(TDataEvent::Closed);
}
