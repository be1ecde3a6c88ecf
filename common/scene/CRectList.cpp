#include "common/scene/CRectList.h"
#include <new>
#include "base/Trace.h"

CRectList::Node* CRectList::pFree = nullptr;
int32_t CRectList::nBlocks = 0;
int32_t CRectList::nInUse = 0;

namespace {

// Joins exact neighbours that share a whole edge; true when cur grew.
bool JoinNeighbour(Rect& cur, const Rect& r)
{
    if (cur.left == r.left && cur.right == r.right && (cur.top == r.bottom || cur.bottom == r.top)) {
        cur = cur.Union(r);
        return true;
    }
    if (cur.top == r.top && cur.bottom == r.bottom && (cur.left == r.right || cur.right == r.left)) {
        cur = cur.Union(r);
        return true;
    }
    return false;
}

} // namespace

CRectList::~CRectList() { Clear(); }

int32_t CRectList::GetBlockCount() { return nBlocks; }

bool CRectList::AllocateBlock()
{
    Node* pBlock = new (std::nothrow) Node[BlockSize];
    if (!pBlock)
        return false;
    Trace("Size of pFree object = %d.\n", static_cast<int>(sizeof(Node) * BlockSize));
    for (int32_t i = 0; i < BlockSize; ++i) {
        pBlock[i].pPrev = i > 0 ? &pBlock[i - 1] : nullptr;
        pBlock[i].pNext = i + 1 < BlockSize ? &pBlock[i + 1] : nullptr;
        pBlock[i].fBlockHead = i == 0;
    }
    pFree = pBlock;
    ++nBlocks;
    return true;
}

CRectList::Node* CRectList::NewNode()
{
    if (!pFree && !AllocateBlock())
        return nullptr;
    Node* pNode = pFree;
    pFree = pNode->pNext;
    pNode->pPrev = nullptr;
    pNode->pNext = pHead;
    if (pHead)
        pHead->pPrev = pNode;
    pHead = pNode;
    ++nInUse;
    return pNode;
}

void CRectList::AddRect(const Rect& rc)
{
    if (Node* pNode = NewNode())
        pNode->rc = rc;
}

void CRectList::RemoveNode(Node* pNode)
{
    (pNode->pPrev ? pNode->pPrev->pNext : pHead) = pNode->pNext;
    if (pNode->pNext)
        pNode->pNext->pPrev = pNode->pPrev;
    pNode->pNext = pFree;
    pFree = pNode;
    --nInUse;
}

int32_t CRectList::AddMerged(const Rect& rc) { return Add(rc, false); }

int32_t CRectList::AddExact(const Rect& rc) { return Add(rc, true); }

int32_t CRectList::Add(const Rect& rc, bool fExact)
{
    Rect cur = rc;
    int32_t nResult = 0;
    Node* pNode = pHead;
    while (pNode) {
        Node* pNext = pNode->pNext;
        if (!cur.Overlaps(pNode->rc)) {
            if (fExact && JoinNeighbour(cur, pNode->rc)) {
                RemoveNode(pNode);
                pNext = pHead;
            }
            pNode = pNext;
            continue;
        }
        nResult = 1;
        if (pNode->rc.ContainsRect(cur))
            return 1;
        if (cur.ContainsRect(pNode->rc)) {
            RemoveNode(pNode);
            pNode = pNext;
            continue;
        }
        if (fExact) {
            SplitAround(cur, pNode);
        } else {
            cur = cur.Union(pNode->rc);
            RemoveNode(pNode);
        }
        pNode = pHead;
    }
    AddRect(cur);
    return nResult;
}

// cur and the node overlap partly: keep cur's pieces outside the node apart.
void CRectList::SplitAround(Rect& cur, Node* pNode)
{
    Rect pieces[4];
    const int32_t nPieces = cur.Subtract(pNode->rc, pieces);
    if (nPieces == 1) {
        cur = pieces[0];
    } else if (nPieces == 2) {
        cur = pieces[1];
        AddExact(pieces[0]);
    } else {
        // The node reaches beyond cur on one side only: keep that band of it.
        Rect band[4];
        pNode->rc.Subtract(cur, band);
        RemoveNode(pNode);
        AddExact(band[0]);
    }
}

void CRectList::Clear()
{
    if (!pHead)
        return;
    Node* pLast = pHead;
    int32_t nCount = 1;
    for (; pLast->pNext; pLast = pLast->pNext)
        ++nCount;
    pLast->pNext = pFree;
    pFree = pHead;
    pHead = nullptr;
    nInUse -= nCount;
}

void CRectList::ReleaseBlocks(Node* pChain)
{
    while (pChain && !pChain->fBlockHead)
        pChain = pChain->pNext;
    if (!pChain)
        return;
    ReleaseBlocks(pChain->pNext);
    delete[] pChain;
    --nBlocks;
}

void CRectList::Destroy()
{
    Clear();
    // Another list still holds nodes of these blocks: keep them.
    if (nInUse != 0)
        return;
    ReleaseBlocks(pFree);
    pFree = nullptr;
}

int32_t CRectList::GetCount() const
{
    int32_t nCount = 0;
    for (const Node* p = pHead; p; p = p->pNext)
        ++nCount;
    return nCount;
}

int32_t CRectList::GetRects(Rect* out, int32_t nMax) const
{
    int32_t n = 0;
    for (const Node* p = pHead; p && n < nMax; p = p->pNext)
        out[n++] = p->rc;
    return n;
}
