#pragma once

// The connection base of the database framework: open and close with their
// events, and the datasets attached as clients.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class TCustomConnection;

// What a connection asks of an attached dataset.
class TConnectionClient {
public:
    virtual ~TConnectionClient() = default;
    virtual bool ClientActive() const = 0;
    // The connection goes down: an active client closes.
    virtual void ConnectionClosing() = 0;
    // The connection is destroyed: the client forgets it.
    virtual void ConnectionGone() = 0;
    // The statements that create the client's table at connect, if it makes one.
    virtual std::vector<std::string> AutoCreateStatements() { return {}; }
};

class TCustomConnection {
public:
    virtual ~TCustomConnection() = default;

    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }
    bool Connected() const { return GetConnected(); }
    void SetConnected(bool value)
    {
        if (value == GetConnected())
            return;
        if (value) {
            if (BeforeConnect)
                BeforeConnect(this);
            DoConnect();
            if (AfterConnect)
                AfterConnect(this);
        } else {
            if (BeforeDisconnect)
                BeforeDisconnect(this);
            // Copy: a closing client may unregister itself.
            for (TConnectionClient* c : std::vector<TConnectionClient*>(clients_))
                if (c->ClientActive())
                    c->ConnectionClosing();
            DoDisconnect();
            if (AfterDisconnect)
                AfterDisconnect(this);
        }
    }

    void RegisterClient(TConnectionClient* c)
    {
        if (std::find(clients_.begin(), clients_.end(), c) == clients_.end())
            clients_.push_back(c);
    }
    void UnRegisterClient(TConnectionClient* c)
    {
        clients_.erase(std::remove(clients_.begin(), clients_.end(), c), clients_.end());
    }
    const std::vector<TConnectionClient*>& Clients() const { return clients_; }

    std::function<void(TCustomConnection*)> AfterConnect, AfterDisconnect, BeforeConnect,
        BeforeDisconnect;

protected:
    virtual void DoConnect() {}
    virtual void DoDisconnect() {}
    virtual bool GetConnected() const = 0;

    std::vector<TConnectionClient*> clients_;
};
