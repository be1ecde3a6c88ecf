#pragma once
#include <cstdint>
#include "base/Rect.h"

// List of screen areas to repaint. Nodes come in blocks of 16 from one
// process-wide free list and go back to it, never to the heap, until Destroy.
class CRectList {
public:
    enum : int32_t { BlockSize = 16 };

    CRectList() = default;
    CRectList(const CRectList&) = delete;
    CRectList& operator=(const CRectList&) = delete;
    ~CRectList();

    // Overlapping rectangles grow into their bounding box.
    // Returns 1 when the rectangle overlapped something already listed.
    int32_t AddMerged(const Rect& rc);
    // Rectangles never overlap: the new one is split and joined to exact neighbours.
    int32_t AddExact(const Rect& rc);
    // Gives every node back to the free list at once.
    void Clear();
    // Clear, then free every block of the free list once no list holds a node.
    void Destroy();

    int32_t GetCount() const;
    // Copies at most nMax rectangles from the head; returns how many.
    int32_t GetRects(Rect* out, int32_t nMax) const;

    // Blocks currently allocated, process-wide.
    static int32_t GetBlockCount();

private:
    struct Node {
        Rect rc;
        Node* pPrev;
        Node* pNext;
        int32_t fBlockHead;
    };

    int32_t Add(const Rect& rc, bool fExact);
    void SplitAround(Rect& cur, Node* pNode);
    Node* NewNode();
    void AddRect(const Rect& rc);
    void RemoveNode(Node* pNode);
    static bool AllocateBlock();
    static void ReleaseBlocks(Node* pChain);

    Node* pHead = nullptr;

    static Node* pFree;
    static int32_t nBlocks;
    static int32_t nInUse;
};
